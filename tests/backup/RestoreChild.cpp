// The process the restore tests kill. It restores a backup into a data folder and stops at
// the named point, writes "half" to its standard output and waits to be killed:
//   restore_child <backup file> <data folder> extracting|checked|aside|done
//     extracting: half of the table files are written into the restore folder
//     checked:    the restore folder is complete and checked, the data folder untouched
//     aside:      the old data folder is renamed aside, the new one not yet in place
//     done:       the restore is complete
#include "backup/Restore.h"

#include <QString>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

[[noreturn]] void waitToBeKilled()
{
    std::fputs("half\n", stdout);
    std::fflush(stdout);
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fputs("usage: restore_child <backup file> <data folder> extracting|checked|aside|done\n", stderr);
        return 2;
    }
    const QString point = QString::fromLocal8Bit(argv[3]);
    try {
        backup::PreparedRestore restore(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), [&](qint64 done, qint64 total) {
            if (point == u"extracting" && done * 2 >= total)
                waitToBeKilled();
        });
        if (point == u"checked")
            waitToBeKilled();
        restore.commit(QDateTime::currentDateTime(), [&] {
            if (point == u"aside")
                waitToBeKilled();
        });
        waitToBeKilled();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
