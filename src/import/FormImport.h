#pragma once

#include "controls/ShowHide.h"

#include <QDialog>

namespace controls { class DialogService; }
class QLineEdit;
class QPushButton;
namespace data { class Shell; }
class TDMod;

// The import window: picks a list file of version 2.0 and the name of the new list, checks the
// name and imports the list. The new list is not opened; the user opens it like any other.
class TFormImport : public QDialog
{
    Q_OBJECT

public:
    TFormImport(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);

    // The file dialog starts here when the folder exists, else in the user's home folder.
    static const QString AlterOrdner;
    static const QString DialogTitel;
    static const QString DialogFilter;

    // Handlers.
    void FormShow();
    void btnDateiOeffnenClick();
    void edtAlteDateiChange();
    void btnImportClick();
    void btnAbbruchClick();

    QLineEdit *edtAlteDatei() const { return m_edtAlteDatei; }
    QLineEdit *edtNeueDatei() const { return m_edtNeueDatei; }
    QPushButton *btnDateiOeffnen() const { return m_btnDateiOeffnen; }
    QPushButton *btnImport() const { return m_btnImport; }
    QPushButton *btnAbbruch() const { return m_btnAbbruch; }

private:
    void createControls();
    // Imports with a progress window that shows itself only when the work takes a while.
    void importWithProgress(const QString &path, const QString &listName);

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;

    QLineEdit *m_edtAlteDatei = nullptr;
    QLineEdit *m_edtNeueDatei = nullptr;
    QPushButton *m_btnDateiOeffnen = nullptr;
    QPushButton *m_btnImport = nullptr;
    QPushButton *m_btnAbbruch = nullptr;
    controls::ShowHide m_showHide{this, [this] { FormShow(); }};
};
