#include "entry/StoreAllLogs.h"

#include "data/Dataset.h"
#include "engine/Transaction.h"

#include <QSignalBlocker>

namespace entry {

void storeAllLogsAgain(engine::Connection &db, data::Dataset &logs)
{
    logs.first();
    try {
        {
            // The grid is told once, at the end, instead of for every log.
            const QSignalBlocker quiet(logs);
            engine::Transaction tx(db);
            while (!logs.eof()) {
                logs.edit();
                logs.post();
                logs.next();
            }
            tx.commit();
        }
        logs.refresh();
    } catch (...) {
        if (logs.isOpen()) {
            logs.cancel();
            logs.refresh();
        }
        throw;
    }
}

} // namespace entry
