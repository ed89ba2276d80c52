#include "report/PreviewDialog.h"

#include "report/Output.h"
#include "report/ReportError.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QToolBar>

namespace report {

PreviewDialog::PreviewDialog(const std::vector<Page> &pages, const PageSetup &page, QPrinter *printer, QWidget *parent, PreviewHooks hooks)
    : QPrintPreviewDialog(printer, parent)
    , m_pages(pages)
    , m_page(page)
    , m_hooks(std::move(hooks))
{
    if (!m_hooks.choosePdfFile) {
        m_hooks.choosePdfFile = [](QWidget *p) {
            return QFileDialog::getSaveFileName(p, QStringLiteral("Als PDF speichern"), QString(), QStringLiteral("PDF-Dateien (*.pdf)"));
        };
    }
    if (!m_hooks.showError)
        m_hooks.showError = [](QWidget *p, const QString &message) { QMessageBox::critical(p, QStringLiteral("Fehler"), message); };

    m_savePdf = new QAction(QStringLiteral("Als PDF speichern..."), this);
    m_savePdf->setObjectName(QStringLiteral("savePdf"));
    if (QToolBar *toolBar = findChild<QToolBar *>()) {
        toolBar->addSeparator();
        toolBar->addAction(m_savePdf);
    } else {
        addAction(m_savePdf);
    }
    connect(m_savePdf, &QAction::triggered, this, &PreviewDialog::savePdf);
    connect(this, &QPrintPreviewDialog::paintRequested, this, &PreviewDialog::paintPages);
}

void PreviewDialog::savePdf()
{
    QString path = m_hooks.choosePdfFile(this);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    try {
        writePdfFile(path, m_pages, m_page);
    } catch (const ReportError &e) {
        m_hooks.showError(this, e.message());
    }
}

void PreviewDialog::paintPages(QPrinter *printer)
{
    try {
        report::paintPages(*printer, m_pages);
    } catch (const ReportError &e) {
        m_hooks.showError(this, e.message());
    }
}

} // namespace report
