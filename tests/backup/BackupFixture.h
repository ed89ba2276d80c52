#pragma once

#include "engine/Connection.h"
#include "support/ListBuilder.h"
#include "support/ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QStringList>

namespace backuptest {

// Adds a list of `logs` logs with its header row, all in one step.
inline void addList(const QString &dataPath, const QString &name, int logs)
{
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    std::vector<testlists::StoredLog> stored;
    for (int id = 1; id <= logs; ++id)
        stored.push_back({id, 5 + id % 20, 20 + id % 40, 20 + id % 40, QStringLiteral("B"), 0.25 + id % 97 * 0.0125,
                          QStringLiteral("2a")});
    testlists::Header header;
    header.text = QStringLiteral("Text von ") + name;
    testlists::addList(db, name, header, stored);
}

inline void execute(const QString &dataPath, const QString &sql)
{
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    db.execute(sql);
}

// Every table of a data folder with all its rows, as text: what a user would find there.
inline QString contents(const QString &dataPath)
{
    QString out;
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    for (const QString &file : QDir(dataPath).entryList({QStringLiteral("*.db")}, QDir::Files, QDir::Name)) {
        const QString table = file.chopped(3);
        out += QStringLiteral("== %1\n").arg(table);
        for (const auto &row : db.query(QStringLiteral("SELECT * FROM %1").arg(table)).rows) {
            QStringList cells;
            for (const QVariant &v : row)
                cells << (v.isNull() ? QStringLiteral("null") : v.toString());
            out += cells.join(u'|') + u'\n';
        }
    }
    return out;
}

// Every file below a folder with its bytes: to see that nothing at all has changed.
inline QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files.insert(QDir(folder).relativeFilePath(path), file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<folder>"));
    }
    return files;
}

} // namespace backuptest
