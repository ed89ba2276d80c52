#pragma once

#include "report/Page.h"
#include "report/Template.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include <functional>
#include <vector>

class QAction;

namespace report {

// How the preview asks for a PDF file name and reports a failure. Left empty, the Qt file
// dialog and a message box are used; the program or a test may put in its own.
struct PreviewHooks
{
    std::function<QString(QWidget *parent)> choosePdfFile;
    std::function<void(QWidget *parent, const QString &message)> showError;
};

// The print preview of laid-out pages. Printing goes through Qt's print dialog; the extra
// button "Als PDF speichern..." writes the pages to a PDF file the user picks.
class PreviewDialog : public QPrintPreviewDialog
{
    Q_OBJECT

public:
    PreviewDialog(const std::vector<Page> &pages, const PageSetup &page, QPrinter *printer, QWidget *parent = nullptr,
                  PreviewHooks hooks = {});

    QAction *savePdfAction() const { return m_savePdf; }
    // Asks for the file and writes it; a failure is shown, the preview stays open.
    void savePdf();

private:
    void paintPages(QPrinter *printer);

    const std::vector<Page> &m_pages;
    PageSetup m_page;
    PreviewHooks m_hooks;
    QAction *m_savePdf = nullptr;
};

} // namespace report
