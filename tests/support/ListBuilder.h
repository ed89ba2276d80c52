#pragma once

#include "data/LogList.h"

#include <QVariant>

#include <optional>
#include <vector>

namespace data { class Shell; }
class TDMod;
namespace engine {
class Connection;
}

// Lists for tests, written straight into the data folder through the program's own list module.
namespace testlists {

using Header = values::ListHeader;

// A log as stored; a null value leaves its field empty.
struct StoredLog
{
    QVariant id;
    QVariant laenge;
    QVariant durchmein;
    QVariant durchmeff;
    QVariant gueteklasse;
    QVariant volumen;
    QVariant staerkeklasse;
};

// The header most list tests use: "12 B", "Fichte", "Stammholz", "am Weg", peeled, not moved.
Header sampleHeader();

// Adds the list `name`, its header row (the name alone without `header`) and `logs`, all in one
// transaction. The header table comes with the first list.
void addList(engine::Connection &db, const QString &name, const std::optional<Header> &header,
             const std::vector<StoredLog> &logs = {});

// Adds logs to a list, all in one transaction.
void addLogs(engine::Connection &db, const QString &name, const std::vector<StoredLog> &logs);

// Makes `name` the shell's current list and opens its logs (the cursor on the first log).
void open(TDMod &dmod, data::Shell &shell, const QString &name);

} // namespace testlists
