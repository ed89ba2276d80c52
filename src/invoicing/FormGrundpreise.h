#pragma once

#include "data/DataModule.h"
#include "controls/DataGrid.h"
#include "controls/ShowHide.h"
#include "data/Dataset.h"

#include <QDialog>

namespace controls {
class CurrencyEdit;
class DialogService;
}
class QPushButton;
namespace data { class Shell; }

// The base prices: the B price of every diameter class and the deductions of C and Cgw, from
// which the stored C and Cgw prices are derived.
class TFormGrundpreise : public QDialog
{
    Q_OBJECT

public:
    TFormGrundpreise(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);

    static const QString GrundpreiseSql;
    static const QString AbzugSql;
    static const QString AbzugUpdateSql;
    // The column that holds the focus, counted over the visible columns.
    static constexpr int PreisSpalte = 1;

    controls::CurrencyEdit *cedtAbzugC = nullptr;
    controls::CurrencyEdit *cedtAbzugCgW = nullptr;
    data::Dataset qryGrundpreise;
    data::DataSource dsGrundpreise{&qryGrundpreise};
    controls::DataGrid *dxDBGrid1 = nullptr;
    QPushButton *btnOK = nullptr;

    void FormShow();
    void FormHide();
    void cedtAbzugCExit();
    void btnOKClick();
    void dxDBGrid1Enter();
    void dxDBGrid1ChangeColumn(int visibleIndex);
    void qryGrundpreiseCalcFields(data::Dataset &ds);

    // The focused column of the grid, counted over the visible columns (-1: none).
    int focusedVisibleColumn() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void writeDeductions();

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    controls::DatasetTableModel *m_model = nullptr;
    controls::DataGridTeardown m_teardown{dxDBGrid1, m_model};
    controls::ShowHide m_showHide{this, [this] { FormShow(); }, [this] { FormHide(); }};
};
