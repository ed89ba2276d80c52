#pragma once

#include "report/Page.h"

#include <QString>

#include <vector>

namespace report {

// A readable text of laid-out pages, one line per primitive, measures in mm with one decimal:
//   p1 text 14.0,6.3 "Dorvliste:" left Arial 14
//   p1 text 129.0,31.2 "1.234,50 FM" w40.0 right Arial 10
//   p1 line 14.0,37.6 204.0,37.6 0.75pt
// "default" stands for the program's default font.
QString dumpPages(const std::vector<Page> &pages);

} // namespace report
