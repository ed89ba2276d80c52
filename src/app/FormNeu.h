#pragma once

#include <QDialog>

namespace controls { class DialogService; }
class QLineEdit;
class QPushButton;
namespace data { class Shell; }
class TDMod;

// The new-list window: asks for the name of a new list, checks it and creates the list.
// The name field keeps the text last typed between uses.
class TFormNeu : public QDialog
{
    Q_OBJECT

public:
    TFormNeu(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);

    void btnOkClick();
    void btnAbbruchClick();

private:
    // The list table, the header table when it is missing, and the header row; the current
    // list and the log query are pointed at the new list.
    void ListeErstellen(const QString &name);

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    QLineEdit *m_edtTabellenname = nullptr;
    QPushButton *m_btnOk = nullptr;
};
