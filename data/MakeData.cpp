// dorv_makedata <data folder> <folder of the .sql files>: creates every delivered table whose
// file is missing in the data folder.
#include "data/DeliveredTables.h"
#include "engine/EngineError.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: dorv_makedata <data folder> <sql folder>\n");
        return 2;
    }
    try {
        const QStringList created = data::createDeliveredTables(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
        for (const QString &table : created)
            std::printf("created %s\n", qPrintable(table));
    } catch (const engine::EngineError &e) {
        std::fprintf(stderr, "dorv_makedata: %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
