// The process the crash tests kill. It does one long piece of work in one transaction, as the
// program does it, and writes "half" to its standard output when half of it is done:
//   crash_child import <data folder> <list file> <list name> <pause|run>
//   crash_child store <data folder> <list name> <new DURCHMEFF> <pause|run>
// With "pause" it then waits to be killed; with "run" it goes on, writes "done" and ends.
#include "engine/Connection.h"
#include "engine/Transaction.h"
#include "import/ListImporter.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

// Tells the test that the work is half done; with `pause`, the child never goes on.
void halfDone(bool pause)
{
    std::fputs("half\n", stdout);
    std::fflush(stdout);
    while (pause)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

void importList(const QString &dataPath, const QString &listFile, const QString &listName, bool pause)
{
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    bool told = false;
    importer::ListeImportieren(db, listFile, listName, [&](qint64 done, qint64 total) {
        if (!told && done * 2 >= total) {
            told = true;
            halfDone(pause);
        }
    });
}

// Stores every log again with a new effective diameter, one UPDATE per log, as storing all
// logs of a list does.
void storeAllAgain(const QString &dataPath, const QString &listName, int durchmeff, bool pause)
{
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + dataPath});
    const engine::ResultSet ids = db.query(QStringLiteral("SELECT ID FROM %1 ORDER BY ID").arg(listName));
    const QString update = QStringLiteral("UPDATE %1 SET DURCHMEFF = :DURCHMEFF WHERE ID = :ID").arg(listName);
    engine::Transaction tx(db);
    engine::Params params{{QStringLiteral("DURCHMEFF"), durchmeff}, {QStringLiteral("ID"), {}}};
    for (std::size_t i = 0; i < ids.rows.size(); ++i) {
        if (i == ids.rows.size() / 2)
            halfDone(pause);
        params[1].value = ids.rows[i][0];
        db.execute(update, params);
    }
    tx.commit();
}

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    try {
        if (args.size() == 5 && args[0] == u"import")
            importList(args[1], args[2], args[3], args[4] == u"pause");
        else if (args.size() == 5 && args[0] == u"store")
            storeAllAgain(args[1], args[2], args[3].toInt(), args[4] == u"pause");
        else {
            std::fputs("usage: crash_child import|store ...\n", stderr);
            return 2;
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fputs("done\n", stdout);
    return 0;
}
