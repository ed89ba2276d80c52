#pragma once

#include "backup/BackupError.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace backup {

// A table file that cannot be read or is damaged; the message names it.
class TableUnreadable : public BackupError
{
public:
    using BackupError::BackupError;
};

// One table file of the data folder, opened on its own, beside the program's connection.
struct TableCount
{
    QString name;
    qint64 rows = 0;
    QStringList columns; // in the order of the table
};

// Copies a table file with SQLite's online backup: the copy is one consistent state of the
// file, taken in one step under a read lock. TableUnreadable when the source cannot be read,
// BackupError naming the copy when it cannot be written (a full disk among the reasons).
void copyTableFile(const QString &sourcePath, const QString &targetPath);

// Checks a table file's structure and counts the rows of each of its tables, in name order.
// BackupError naming the file when it cannot be read or is damaged.
std::vector<TableCount> checkTableFile(const QString &path);

// What a table file holds beside tables and the indexes SQLite keeps for their keys, the
// program never creates: triggers, views, indexes and tables of a foreign module. Each named for
// the user ("Trigger „Name“"); empty for a file of the program.
QStringList foreignObjects(const QString &path);

} // namespace backup
