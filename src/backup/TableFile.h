#pragma once

#include <QString>

#include <vector>

namespace backup {

// One table file of the data folder, opened on its own, beside the program's connection.
struct TableCount
{
    QString name;
    qint64 rows = 0;
};

// Copies a table file with SQLite's online backup: the copy is one consistent state of the
// file, taken in one step under a read lock. BackupError when the file is not a database.
void copyTableFile(const QString &sourcePath, const QString &targetPath);

// Checks a table file's structure and counts the rows of each of its tables, in name order.
// BackupError naming the file when it cannot be read or is damaged.
std::vector<TableCount> checkTableFile(const QString &path);

} // namespace backup
