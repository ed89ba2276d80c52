#pragma once

namespace data {
class Dataset;
}
namespace engine {
class Connection;
}

namespace entry {

// Stores every log of the list again, from the first to the last, so that its record events
// compute the derived values anew; the cursor ends on the last log. One transaction: when any
// log cannot be stored, none is, and the query shows the list as it is stored.
void storeAllLogsAgain(engine::Connection &db, data::Dataset &logs);

} // namespace entry
