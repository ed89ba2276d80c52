#pragma once

#include <QString>

#include <functional>

namespace data {
class Dataset;
}
namespace engine {
class Connection;
}

namespace entry {

// Stores every log of the list again, from the first to the last, so that its record events
// compute the derived values anew; the cursor ends on the last log. One transaction: when any
// log cannot be stored, none is, and the query shows the list as it is stored. `alsoStore`
// runs in the same transaction after the last log.
void storeAllLogsAgain(engine::Connection &db, data::Dataset &logs, const std::function<void()> &alsoStore = {});

// The list's logs stored again for a new geschält state, and that state written into the
// list's header row, in one step: a list and its header always agree about the bark, also
// when the program is killed in the middle.
void storeAllLogsForGeschaelt(engine::Connection &db, data::Dataset &logs, const QString &listName, bool geschaelt);

} // namespace entry
