#pragma once

#include "engine/Connection.h"
#include "import/ListImporter.h"
#include "support/DataFolder.h"
#include "support/LegacyFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

namespace crash {

// What a restarted program finds of one list in the data folder.
struct ListState
{
    bool tableFile = false;  // the list's table file exists
    qint64 rows = -1;        // its rows, -1 without table
    qint64 headerRows = 0;   // header rows naming the list
    bool headerTable = false;
    QStringList orphanJournals; // journals left in the folder without their table file
};

inline qint64 count(engine::Connection &db, const QString &sql, const engine::Params &params = {})
{
    return db.query(sql, params).rows.at(0).at(0).toLongLong();
}

// Opens a new connection on the folder, as the program does when it starts again.
inline ListState inspect(const QString &dataPath, const QString &list)
{
    ListState state;
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    state.tableFile = db.tableExists(list);
    if (state.tableFile)
        state.rows = count(db, QStringLiteral("SELECT COUNT(*) FROM ") + list);
    state.headerTable = db.tableExists(QStringLiteral("DORVZUSATZ"));
    if (state.headerTable)
        state.headerRows = count(db, QStringLiteral("SELECT COUNT(*) FROM DORVZUSATZ WHERE OFFSET = :OFFSET"),
                                 {{QStringLiteral("OFFSET"), list}});
    // A journal beside its table file is SQLite's to handle (a journal never made hot is
    // simply dropped by the next write); one without its file is litter from a removed table.
    const QDir folder(dataPath);
    for (const QString &journal : folder.entryList({QStringLiteral("*-journal")}, QDir::Files | QDir::Hidden)) {
        if (!folder.exists(journal.chopped(int(qstrlen("-journal")))))
            state.orphanJournals << journal;
    }
    return state;
}

// How a run of the child process ended.
struct ChildRun
{
    bool reachedHalf = false;
    bool finished = false; // ended on its own with "done"
    QByteArray output;
    QByteArray errors;
};

// Runs tests/crash/CrashChild with the arguments. With `killAfterHalf`, the child is killed
// with SIGKILL that long after it reports half of its work done (unless it has ended by then);
// without, it runs to its end.
inline ChildRun runChild(const QStringList &arguments, std::optional<std::chrono::milliseconds> killAfterHalf)
{
    ChildRun run;
    QProcess child;
    child.setProgram(QStringLiteral(CRASH_CHILD));
    child.setArguments(arguments);
    child.start();
    if (!child.waitForStarted(10000))
        return run;
    if (killAfterHalf) {
        while (!run.output.contains("half\n") && child.state() == QProcess::Running) {
            child.waitForReadyRead(1000);
            run.output += child.readAllStandardOutput();
        }
        run.reachedHalf = run.output.contains("half\n");
        if (killAfterHalf->count() > 0)
            QThread::msleep(static_cast<unsigned long>(killAfterHalf->count()));
        child.kill();
    }
    child.waitForFinished(120000);
    run.output += child.readAllStandardOutput();
    run.errors = child.readAllStandardError();
    run.reachedHalf = run.reachedHalf || run.output.contains("half\n");
    run.finished = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 && run.output.contains("done\n");
    return run;
}

} // namespace crash
