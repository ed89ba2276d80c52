// The process the crash tests kill. It does one long piece of work in one transaction, as the
// program does it, and writes "half" to its standard output when half of it is done:
//   crash_child import <data folder> <list file> <list name> <pause|wait|run>
//   crash_child store <data folder> <list name> <new DURCHMEFF> <pause|run>
//   crash_child geschaelt <data folder> <list name> <0|1> <pause|run>
// With "pause" it then waits to be killed; with "wait" it goes on when a line arrives on its
// standard input; with "run" it goes on at once. At the end it writes "done" and ends.
//   crash_child program <program folder> <hold|start>
// starts the whole program on the folder and writes every message it shows, then "running"
// (with "hold" it stays until it is killed) or "refused" when the program would not start.
#include "app/DorvProgram.h"
#include "controls/ScriptedDialogService.h"
#include "data/Dataset.h"
#include "engine/Connection.h"
#include "engine/Transaction.h"
#include "rules/MeasurementRules.h"
#include "entry/StoreAllLogs.h"
#include "import/ListImporter.h"

#include <QApplication>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

enum class AtHalf { Pause, Wait, Run };

AtHalf atHalf(const QString &mode)
{
    if (mode == u"pause")
        return AtHalf::Pause;
    return mode == u"wait" ? AtHalf::Wait : AtHalf::Run;
}

void sleepForever()
{
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

// Tells the test that the work is half done, then pauses, waits or goes on.
void halfDone(AtHalf mode)
{
    std::fputs("half\n", stdout);
    std::fflush(stdout);
    if (mode == AtHalf::Pause)
        sleepForever();
    if (mode == AtHalf::Wait) {
        char line[16];
        if (!std::fgets(line, sizeof line, stdin))
            sleepForever();
    }
}

void importList(const QString &dataPath, const QString &listFile, const QString &listName, AtHalf mode)
{
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    bool told = false;
    importing::ListeImportieren(db, listFile, listName, [&](qint64 done, qint64 total) {
        if (!told && done * 2 >= total) {
            told = true;
            halfDone(mode);
        }
    });
}

// Stores every log again with a new effective diameter, one UPDATE per log, as storing all
// logs of a list does.
void storeAllAgain(const QString &dataPath, const QString &listName, int durchmeff, AtHalf mode)
{
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    const engine::ResultSet ids = db.query(QStringLiteral("SELECT ID FROM %1 ORDER BY ID").arg(listName));
    const QString update = QStringLiteral("UPDATE %1 SET DURCHMEFF = :DURCHMEFF WHERE ID = :ID").arg(listName);
    engine::Transaction tx(db);
    engine::Params params{{QStringLiteral("DURCHMEFF"), durchmeff}, {QStringLiteral("ID"), {}}};
    for (std::size_t i = 0; i < ids.rows.size(); ++i) {
        if (i == ids.rows.size() / 2)
            halfDone(mode);
        params[1].value = ids.rows[i][0];
        db.execute(update, params);
    }
    tx.commit();
}

// Ticks or clears geschält as the log entry window does: every log stored again through the
// log query, whose storing derives the effective diameter from the new state.
void changeGeschaelt(const QString &dataPath, const QString &listName, bool geschaelt, AtHalf mode)
{
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    data::Dataset logs(&db);
    logs.setLive(true);
    logs.setSql(QStringLiteral("SELECT * FROM ") + listName);
    logs.open();
    const int half = logs.recordCount() / 2;
    int stored = 0;
    logs.events.beforePost = [&](data::Dataset &ds) {
        ds.setValue(QStringLiteral("DURCHMEFF"),
                    rules::DurchmeffBerechnen(ds.value(QStringLiteral("DURCHMEIN")).toInt(), geschaelt));
        if (++stored == half)
            halfDone(mode);
    };
    entry::storeAllLogsForGeschaelt(db, logs, listName, geschaelt);
}

// The whole program on a program folder; messages go to the standard output.
int startProgram(int argc, char **argv, const QString &programFolder, bool hold)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    controls::ScriptedDialogService dialogs;
    app::DorvProgram program(dialogs, programFolder);
    for (const QString &text : dialogs.texts())
        std::printf("message: %s\n", text.toUtf8().constData());
    std::puts(program.alreadyRunning() ? "refused" : "running");
    std::fflush(stdout);
    if (program.alreadyRunning())
        return 3;
    if (hold)
        sleepForever();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    try {
        if (args.size() == 3 && args[0] == u"program")
            return startProgram(argc, argv, args[1], args[2] == u"hold");
        if (args.size() == 5 && args[0] == u"import")
            importList(args[1], args[2], args[3], atHalf(args[4]));
        else if (args.size() == 5 && args[0] == u"store")
            storeAllAgain(args[1], args[2], args[3].toInt(), atHalf(args[4]));
        else if (args.size() == 5 && args[0] == u"geschaelt")
            changeGeschaelt(args[1], args[2], args[3] == u"1", atHalf(args[4]));
        else {
            std::fputs("usage: crash_child import|store|geschaelt|program ...\n", stderr);
            return 2;
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fputs("done\n", stdout);
    return 0;
}
