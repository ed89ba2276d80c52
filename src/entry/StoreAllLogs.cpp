#include "entry/StoreAllLogs.h"

#include "data/Dataset.h"
#include "engine/Transaction.h"

namespace entry {

void storeAllLogsAgain(engine::Connection &db, data::Dataset &logs)
{
    logs.first();
    try {
        engine::Transaction tx(db);
        while (!logs.eof()) {
            logs.edit();
            logs.post();
            logs.next();
        }
        tx.commit();
    } catch (...) {
        if (logs.isOpen()) {
            logs.cancel();
            logs.refresh();
        }
        throw;
    }
}

} // namespace entry
