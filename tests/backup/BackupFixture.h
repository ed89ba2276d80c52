#pragma once

#include "engine/Connection.h"
#include "engine/Transaction.h"
#include "support/ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QStringList>

namespace backuptest {

inline const QString HeaderTable = QStringLiteral(
    "CREATE TABLE DORVZUSATZ ( ID AUTOINC, OFFSET CHAR(25), ABTEILUNG CHAR(50), BAUMART CHAR(50), SORTE CHAR(50),"
    " ZUSATZTEXT CHAR(100), GESCHAELT BOOLEAN, GERUECKT BOOLEAN, Primary Key(ID))");

// Adds a list of `logs` logs with its header row, all in one step.
inline void addList(const QString &dataPath, const QString &name, int logs)
{
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    engine::Transaction tx(db);
    if (!db.tableExists(QStringLiteral("DORVZUSATZ")))
        db.execute(HeaderTable);
    db.execute(QStringLiteral("CREATE TABLE %1 ( ID INT, LAENGE INT, DURCHMEIN INT, DURCHMEFF INT, GUETEKLASSE CHAR(3),"
                              " VOLUMEN NUMERIC(10,4), STAERKEKLASSE CHAR(3), PRIMARY KEY(ID))")
                   .arg(name));
    db.execute(QStringLiteral("INSERT INTO DORVZUSATZ (OFFSET, ZUSATZTEXT) VALUES (:N, :T)"),
               {{QStringLiteral("N"), name}, {QStringLiteral("T"), QStringLiteral("Text von ") + name}});
    const QString insert = QStringLiteral("INSERT INTO %1 (ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE)"
                                          " VALUES (:ID, :L, :D, :D, 'B', :V, '2a')")
                               .arg(name);
    for (int id = 1; id <= logs; ++id)
        db.execute(insert, {{QStringLiteral("ID"), id}, {QStringLiteral("L"), 5 + id % 20}, {QStringLiteral("D"), 20 + id % 40},
                            {QStringLiteral("V"), 0.25 + id % 97 * 0.0125}});
    tx.commit();
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
