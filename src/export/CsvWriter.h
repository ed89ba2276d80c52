#pragma once

#include "export/ExportData.h"

#include <QByteArray>

#include <vector>

namespace exporting {

// A list's logs as a CSV file that a German spreadsheet opens as it is: UTF-8 with byte
// order mark, CRLF line ends, ";" between fields, decimal comma, no thousands separators.
// A title line, then one line per log in the order given. Volumes carry as many decimals as
// stored; texts holding ";", quotes or line breaks are quoted, quotes doubled (see csvField).
QByteArray csvDocument(const std::vector<ExportLog> &logs);

// One text field as the CSV holds it: a text a spreadsheet would take as a formula (one
// beginning with "=", "+", "-", "@", a tab or a carriage return) gets a leading "'". Every
// text cell of every CSV Dorv writes goes through here; numbers are written as they are.
QString csvField(const QString &text);

} // namespace exporting
