#pragma once

#include "engine/Connection.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

// What the import benchmarks share: the file to import, an empty data folder for each round,
// and the raw SQLite table of a list that the same rows go into for comparison.

// A file of the given name and content in a folder of its own.
struct ImportSource
{
    QTemporaryDir dir;
    QString path;

    ImportSource(const QString &name, const QByteArray &content) : path(dir.filePath(name))
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }
};

// A connection on an empty data folder.
struct EmptyDataFolder
{
    QTemporaryDir dir;
    engine::Connection db;

    EmptyDataFolder() { db.open({QStringLiteral("PATH=") + dir.path()}); }
};

// Creates a list's log table in a raw SQLite database and prepares its insert of all seven
// columns (ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE).
inline sqlite3_stmt *rawListTable(sqlite3 *db, const QByteArray &table)
{
    sqlite3_exec(db, "CREATE TABLE " + table + " ( ID INTEGER, LAENGE INTEGER, DURCHMEIN INTEGER, DURCHMEFF INTEGER,"
                         " GUETEKLASSE TEXT, VOLUMEN REAL, STAERKEKLASSE TEXT, PRIMARY KEY(ID))",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO " + table + " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)", -1, &stmt, nullptr);
    return stmt;
}
