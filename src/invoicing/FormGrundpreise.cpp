#include "invoicing/FormGrundpreise.h"

#include "controls/Buttons.h"
#include "controls/ColumnWidth.h"
#include "controls/CurrencyEdit.h"
#include "controls/DataGrid.h"
#include "controls/DatasetTableModel.h"
#include "controls/ErrorGuard.h"
#include "controls/TabOrder.h"
#include "engine/Transaction.h"
#include "invoicing/Deduction.h"
#include "values/ListColumns.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using data::Dataset;

const QString TFormGrundpreise::GrundpreiseSql = QStringLiteral(
    "SELECT *\n"
    "FROM GRUNDPREISE \n"
    "WHERE GUETEKLASSE = 'B'\n"
    "ORDER BY  GUETEKLASSE, STAERKEKLASSE");

const QString TFormGrundpreise::AbzugSql = QStringLiteral(
    "SELECT (SELECT DISTINCT ABZUG FROM Grundpreise WHERE Gueteklasse =:GKC) As ABZUGC, "
    "(SELECT DISTINCT ABZUG FROM Grundpreise WHERE Gueteklasse =:GKCGW) As ABZUGCGW FROM GRUNDPREISE");

const QString TFormGrundpreise::AbzugUpdateSql = QStringLiteral(
    "UPDATE Grundpreise SET ABZUG = :ABZUG, PREIS = (SELECT PREIS, STAERKEKLASSE FROM Grundpreise "
    "WHERE GUETEKLASSE = :GUETEKLASSEB AND STAERKEKLASSE = :STAERKEKLASSE) * (1 - ( :ABZUG / 100)) "
    "WHERE GUETEKLASSE = :GUETEKLASSE AND STAERKEKLASSE = :STAERKEKLASSE");

namespace {

const QString priceFormat = QStringLiteral("###0.00");

// Titled with its field; prices stand right-aligned, as every figure of the program's grids.
controls::GridColumn column(const QString &field, bool readOnly, int width)
{
    const Qt::Alignment alignment = field.startsWith(QLatin1String("PREIS")) ? Qt::AlignRight | Qt::AlignVCenter
                                                                             : Qt::AlignLeft | Qt::AlignVCenter;
    return controls::gridColumn(field, field, readOnly, width, alignment);
}

} // namespace

TFormGrundpreise::TFormGrundpreise(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), qryGrundpreise(&dmod.dbDorv, QStringLiteral("qryGrundpreise")), m_dmod(dmod), m_shell(shell),
      m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormGrundpreise"));
    setWindowTitle(QStringLiteral("Grundpreise"));

    qryGrundpreise.setLive(true);
    qryGrundpreise.setSql(GrundpreiseSql);
    qryGrundpreise.setDisplayFormat(QStringLiteral("PREIS"), priceFormat);
    qryGrundpreise.addCalculatedField(QStringLiteral("PREISC"), data::FieldType::Float, priceFormat);
    qryGrundpreise.addCalculatedField(QStringLiteral("PREISCGW"), data::FieldType::Float, priceFormat);
    qryGrundpreise.events.calcFields = [this](Dataset &ds) { qryGrundpreiseCalcFields(ds); };

    buildWindow();
}

void TFormGrundpreise::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    auto *deductions = new QGridLayout;
    layout->addLayout(deductions);

    cedtAbzugC = new controls::CurrencyEdit(this);
    cedtAbzugC->setObjectName(QStringLiteral("cedtAbzugC"));
    cedtAbzugCgW = new controls::CurrencyEdit(this);
    cedtAbzugCgW->setObjectName(QStringLiteral("cedtAbzugCgW"));
    int row = 0;
    for (auto [caption, edit] : {std::pair{"Abzug für GK C:", cedtAbzugC}, std::pair{"Abzug für GK CgW:", cedtAbzugCgW}}) {
        auto *label = new QLabel(QString::fromUtf8(caption), this);
        label->setBuddy(edit);
        deductions->addWidget(label, row, 0);
        deductions->addWidget(edit, row, 1);
        deductions->addWidget(new QLabel(QStringLiteral("%"), this), row, 2);
        ++row;
        connect(edit, &controls::CurrencyEdit::exited, this, &TFormGrundpreise::cedtAbzugCExit);
        // The calculated columns show the deductions as they are typed.
        connect(edit, &controls::CurrencyEdit::valueChanged, this, [this] {
            controls::guarded(m_dialogs, [this] {
                if (qryGrundpreise.isOpen())
                    qryGrundpreise.recalculate();
            });
        });
    }
    deductions->setColumnStretch(3, 1);

    dxDBGrid1 = new controls::DataGrid(m_dialogs, this);
    dxDBGrid1->setObjectName(QStringLiteral("dxDBGrid1"));
    const std::vector<controls::GridColumn> columns{column(values::listcolumn::Gueteklasse, true, 40),
                                          column(values::listcolumn::Staerkeklasse, true, 100),
                                          column(QStringLiteral("ABZUG"), true, 40),
                                          column(QStringLiteral("PREIS"), false, 70),
                                          column(QStringLiteral("PREISC"), true, 70),
                                          column(QStringLiteral("PREISCGW"), true, 80)};
    m_model = new controls::DatasetTableModel(qryGrundpreise, columns, this);
    dxDBGrid1->setDatasetModel(m_model);
    // Designed widths, widened where a title or a price up to 99999,99 would be cut.
    for (int c = 0; c < int(columns.size()); ++c)
        dxDBGrid1->setColumnWidth(c, controls::fittedColumnWidth(*dxDBGrid1->horizontalHeader(), c, columns[c].width, QStringLiteral("00000,00")));
    dxDBGrid1->setColumnHidden(0, true);
    dxDBGrid1->setColumnHidden(2, true);
    // The grid does not scroll: the window grows until it shows every column.
    dxDBGrid1->setMinimumWidth(dxDBGrid1->widthShowingAllColumns(10));
    dxDBGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dxDBGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dxDBGrid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    dxDBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    dxDBGrid1->setTabColumn(dxDBGrid1->modelColumn(PreisSpalte));
    dxDBGrid1->verticalHeader()->setDefaultSectionSize(20);
    dxDBGrid1->setMinimumHeight(dxDBGrid1->horizontalHeader()->sizeHint().height() + 10 * 20 + 4);
    dxDBGrid1->installEventFilter(this);
    connect(dxDBGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                if (current.isValid() && current.column() != previous.column())
                    dxDBGrid1ChangeColumn(dxDBGrid1->visibleIndexOf(current.column()));
            });
    layout->addWidget(dxDBGrid1, 1);

    // Not the window's default button: Enter in a deduction or in the grid closes nothing.
    btnOK = controls::button("&OK", "btnOK", this);
    connect(btnOK, &QPushButton::clicked, this, &TFormGrundpreise::btnOKClick);
    layout->addLayout(controls::buttonRow({btnOK}));

    controls::tabOrder({cedtAbzugC, cedtAbzugCgW, dxDBGrid1, btnOK});
    resize(380, 330);
}

int TFormGrundpreise::focusedVisibleColumn() const
{
    return dxDBGrid1->focusedVisibleColumn();
}

bool TFormGrundpreise::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == dxDBGrid1 && event->type() == QEvent::FocusIn)
        dxDBGrid1Enter();
    return QDialog::eventFilter(watched, event);
}

void TFormGrundpreise::FormShow()
{
    controls::guarded(m_dialogs, [this] {
        Dataset &tmp = m_dmod.qryTmp;
        tmp.setSql(AbzugSql);
        tmp.setParam(QStringLiteral("GKC"), QStringLiteral("C"));
        tmp.setParam(QStringLiteral("GKCGW"), QStringLiteral("Cgw"));
        tmp.open();
        tmp.first();
        // No row, or no row of the class: the value is empty and reads as 0.
        cedtAbzugC->setValue(tmp.floatValue(QStringLiteral("ABZUGC")));
        cedtAbzugCgW->setValue(tmp.floatValue(QStringLiteral("ABZUGCGW")));
        tmp.close();
        qryGrundpreise.open();
        dxDBGrid1->focusVisibleColumn(PreisSpalte);
        dxDBGrid1->setFocus();
    });
}

void TFormGrundpreise::FormHide()
{
    // A grid edit that was not posted is dropped with the query.
    controls::guarded(m_dialogs, [this] { qryGrundpreise.close(); });
}

void TFormGrundpreise::cedtAbzugCExit()
{
    controls::guarded(m_dialogs, [this] { writeDeductions(); });
}

void TFormGrundpreise::writeDeductions()
{
    if (!qryGrundpreise.isOpen())
        return; // the window is not shown
    Dataset &tmp = m_dmod.qryTmp;
    qryGrundpreise.first(); // posts a pending grid edit
    // All derived prices or none: a failure leaves no class half written.
    engine::Transaction transaction(m_dmod.dbDorv);
    while (!qryGrundpreise.eof()) {
        const QString staerkeklasse = qryGrundpreise.text(values::listcolumn::Staerkeklasse);
        for (auto [klasse, edit] : {std::pair{"C", cedtAbzugC}, std::pair{"Cgw", cedtAbzugCgW}}) {
            tmp.setSql(AbzugUpdateSql);
            tmp.setParam(QStringLiteral("GUETEKLASSEB"), QStringLiteral("B"));
            tmp.setParam(values::listcolumn::Gueteklasse, QString::fromLatin1(klasse));
            tmp.setParam(values::listcolumn::Staerkeklasse, staerkeklasse);
            tmp.setParam(QStringLiteral("ABZUG"), edit->value());
            tmp.execSql();
        }
        qryGrundpreise.next();
    }
    transaction.commit();
    qryGrundpreise.close();
    qryGrundpreise.open();
}

void TFormGrundpreise::btnOKClick()
{
    controls::guarded(m_dialogs, [this] {
        dxDBGrid1->commitPendingEdit();
        if (qryGrundpreise.isEditing())
            qryGrundpreise.post();
        writeDeductions();
        accept();
    });
}

void TFormGrundpreise::dxDBGrid1Enter()
{
    controls::guarded(m_dialogs, [this] { dxDBGrid1->focusVisibleColumn(PreisSpalte); });
}

void TFormGrundpreise::dxDBGrid1ChangeColumn(int visibleIndex)
{
    controls::guarded(m_dialogs, [this, visibleIndex] {
        if (visibleIndex != PreisSpalte)
            dxDBGrid1->focusVisibleColumn(PreisSpalte);
    });
}

void TFormGrundpreise::qryGrundpreiseCalcFields(Dataset &ds)
{
    const double preis = ds.floatValue(QStringLiteral("PREIS")); // empty counts as 0
    ds.setValue(QStringLiteral("PREISC"), invoicing::priceAfterDeduction(preis, cedtAbzugC->value()));
    ds.setValue(QStringLiteral("PREISCGW"), invoicing::priceAfterDeduction(preis, cedtAbzugCgW->value()));
}
