#include "report/Output.h"

#include "report/PagePainter.h"
#include "report/ReportError.h"
#include "export/FileOutput.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace report {
namespace {

QPageLayout pageLayout(const PageSetup &page)
{
    const QSizeF portrait(std::min(page.width, page.height), std::max(page.width, page.height));
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter), page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace

void configurePrinter(QPrinter &printer, const PageSetup &page)
{
    printer.setDocName(QStringLiteral("Report"));
    printer.setFullPage(true);
    printer.setPageLayout(pageLayout(page));
}

void paintPages(QPrinter &printer, const std::vector<Page> &pages)
{
    int first = 1;
    int last = static_cast<int>(pages.size());
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage());
        last = std::min(last, printer.toPage() > 0 ? printer.toPage() : last);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(QStringLiteral("The printer %1 cannot print").arg(printer.printerName()));
    for (int p = first; p <= last; ++p) {
        if (p > first)
            printer.newPage();
        PagePainter::paint(painter, pages[static_cast<size_t>(p - 1)]);
    }
    painter.end();
}

void printToDefaultPrinter(const std::vector<Page> &pages, const PageSetup &page)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw ReportError(QStringLiteral("Es ist kein Standarddrucker eingerichtet."));
    QPrinter printer(info, QPrinter::HighResolution);
    configurePrinter(printer, page);
    paintPages(printer, pages);
}

void writePdfFile(const QString &path, const std::vector<Page> &pages, const PageSetup &page)
{
    // Drawn into memory and written as a whole file: a full disk or a vanished folder leaves
    // an existing file of that name as it was.
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(600);
        writer.setTitle(QStringLiteral("Report"));
        writer.setCreator(QStringLiteral("Dorv"));
        writer.setPageLayout(pageLayout(page));
        QPainter painter;
        if (!painter.begin(&writer))
            throw ReportError(QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(fullPath));
        for (size_t p = 0; p < pages.size(); ++p) {
            if (p > 0)
                writer.newPage();
            PagePainter::paint(painter, pages[p]);
        }
        if (!painter.end())
            throw ReportError(QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(fullPath));
    }
    try {
        exporting::writeWholeFile(fullPath, pdf.data());
    } catch (const exporting::FileError &e) {
        throw ReportError(e.message());
    }
}

} // namespace report
