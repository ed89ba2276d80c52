#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace backup {

// The table of contents of a backup file: which program wrote it and when, and for every table
// file its table and how many rows it held. A restore checks the copies against it.
struct Manifest
{
    struct Table
    {
        QString name; // as the table is named in its file
        QString file; // the file in the data folder and in the backup
        qint64 rows = 0;
        bool operator==(const Table &) const = default;
        // A table as the program names its files: a plain name, stored in "<name>.db". Only
        // such tables are backed up and restored, so a restore writes nothing else.
        bool isProgramTable() const;
    };

    static const QString EntryName; // the manifest's own name in the backup file

    QString programVersion;
    QDateTime created;
    std::vector<Table> tables;
    // Table files of the data folder that could not be read when the backup was written and
    // are not in it (not part of the stored manifest).
    QStringList leftOut;

    QByteArray toJson() const;
    // Reads a manifest; BackupError when the text is not a manifest of this program or names
    // a table or file the program would never write.
    static Manifest fromJson(const QByteArray &json, const QString &backupPath);
};

} // namespace backup
