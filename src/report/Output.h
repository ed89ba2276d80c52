#pragma once

#include "report/Page.h"
#include "report/Template.h"

#include <QString>

#include <vector>

class QPrinter;

namespace report {

// The printer set up for a report: paper and orientation of the template, the whole sheet as
// drawing area, print job name "Report".
void configurePrinter(QPrinter &printer, const PageSetup &page);
// Draws the pages on the printer, honouring a page range chosen in the print dialog.
void paintPages(QPrinter &printer, const std::vector<Page> &pages);
// Prints straight to the system's default printer.
void printToDefaultPrinter(const std::vector<Page> &pages, const PageSetup &page);
// Writes the pages as a PDF file; ReportError when the file cannot be written.
void writePdfFile(const QString &path, const std::vector<Page> &pages, const PageSetup &page);

} // namespace report
