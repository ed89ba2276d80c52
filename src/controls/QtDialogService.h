#pragma once

#include "controls/DialogService.h"

namespace controls {

// The dialog service of the running program: Qt's message boxes and file dialog.
class QtDialogService : public DialogService
{
public:
    void information(const QString &text) override;
    void error(const QString &text) override;
    bool confirm(const QString &text) override;
    QString openFile(const QString &title, const QString &filter, const QString &folder) override;
    SaveChoice saveFile(const QString &title, const QString &filter, int chosenFilter, const QString &proposedPath) override;
    void beep() override;
    void openUrl(const QString &url) override;
};

// "Text|*.a|Alles|*.*" as a Qt name filter: "Text (*.a *.A);;Alles (*)". With caseVariants
// false the patterns stay as given.
QString qtNameFilter(const QString &pipeSeparated, bool caseVariants = true);

} // namespace controls
