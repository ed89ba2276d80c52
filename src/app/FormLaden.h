#pragma once

#include "controls/ShowHide.h"

#include <QDialog>

namespace controls {
class DatasetTableModel;
class DialogService;
}
class QPushButton;
class QTableView;
namespace data { class Shell; }
class TDMod;

// The list window: shows every list with its text, opens one as the current list, deletes
// lists.
class TFormLaden : public QDialog
{
    Q_OBJECT

public:
    TFormLaden(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);

    // Fills the list box; runs each time the window is shown.
    void FormActivate();
    void btnOeffnenClick();
    void btnLoeschenClick();
    void btnAbbruchClick();
    void dbluplLadenKeyUp(int key);

    // The list name of the entry selected in the list box; empty when none is.
    QString selectedListName() const;
    // Selects the entry of a list; false when there is none.
    bool selectList(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ListeOeffnen(const QString &name);
    void ListeLoeschen(const QString &name);
    void fillListBox();
    void selectRow(int row);

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    controls::DatasetTableModel *m_model = nullptr;
    QTableView *m_dbluplLaden = nullptr;
    // The window is modal and reached only from the menu: each showing is one activation.
    // Running this on every activation change would run it again after each message box the
    // window shows (and, with a missing header table, show that error again and again).
    controls::ShowHide m_showHide{this, [this] { FormActivate(); }};
};
