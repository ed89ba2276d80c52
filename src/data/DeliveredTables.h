#pragma once

#include <QString>
#include <QStringList>

namespace data {

// Runs the delivered table scripts (one "<table>.sql" file per table) in sqlFolder against the
// data folder, creating each table only when its file is missing. Returns the tables created.
QStringList createDeliveredTables(const QString &dataFolder, const QString &sqlFolder);

} // namespace data
