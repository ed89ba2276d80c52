#include "entry/StoreAllLogs.h"

#include "data/Dataset.h"
#include "data/LogList.h"
#include "engine/Connection.h"
#include "engine/Transaction.h"

#include <QSignalBlocker>

namespace entry {

void storeAllLogsAgain(engine::Connection &db, data::Dataset &logs, const std::function<void()> &alsoStore)
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
            if (alsoStore)
                alsoStore();
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

void storeAllLogsForGeschaelt(engine::Connection &db, data::Dataset &logs, const QString &listName, bool geschaelt)
{
    storeAllLogsAgain(db, logs, [&] { data::loglist::storeGeschaelt(db, listName, geschaelt); });
}

} // namespace entry
