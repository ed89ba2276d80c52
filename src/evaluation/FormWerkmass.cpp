#include "evaluation/FormWerkmass.h"

#include "controls/Buttons.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "data/Shell.h"
#include "evaluation/ListReports.h"
#include "evaluation/MillCsv.h"
#include "evaluation/MillReport.h"
#include "evaluation/MillTableModel.h"
#include "evaluation/MillTexts.h"
#include "export/FileOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QTableView *tableOf(QAbstractItemModel *model, QWidget *parent, const QString &name)
{
    auto *view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    // Widths from the titles: measuring ten thousand rows would keep the window waiting.
    const QFontMetrics metrics = view->horizontalHeader()->fontMetrics();
    for (int c = 0; c < model->columnCount(); ++c)
        view->setColumnWidth(c, std::max(60, metrics.horizontalAdvance(model->headerData(c, Qt::Horizontal).toString()) + 16));
    return view;
}

} // namespace

TFormWerkmass::TFormWerkmass(data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormWerkmass"));
    setWindowTitle(QStringLiteral("Werkmaß prüfen"));
    buildLayout();
    resize(1100, 700);
}

void TFormWerkmass::buildLayout()
{
    auto *outer = new QVBoxLayout(this);
    lblKopf = new QLabel(this);
    lblKopf->setObjectName(QStringLiteral("lblKopf"));
    lblKopf->setTextInteractionFlags(Qt::TextSelectableByMouse);
    outer->addWidget(lblKopf);
    lblWarnung = new QLabel(this);
    lblWarnung->setObjectName(QStringLiteral("lblWarnung"));
    lblWarnung->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    outer->addWidget(lblWarnung);
    lblSumme = new QLabel(this);
    lblSumme->setObjectName(QStringLiteral("lblSumme"));
    QFont bold = lblSumme->font();
    bold.setBold(true);
    lblSumme->setFont(bold);
    outer->addWidget(lblSumme);

    m_classes = new evaluation::MillTableModel(evaluation::millClassTitles(), 2, this);
    grdKlassen = tableOf(m_classes, this, QStringLiteral("grdKlassen"));
    outer->addWidget(grdKlassen, 1);
    m_logs = new evaluation::MillTableModel(evaluation::millRowTitles(), 3, this);
    grdStaemme = tableOf(m_logs, this, QStringLiteral("grdStaemme"));
    outer->addWidget(grdStaemme, 3);

    btnDrucken = controls::button("&Drucken", "btnDrucken", this);
    btnCsv = controls::button("&CSV...", "btnCsv", this);
    btnSchliessen = controls::button("&Schliessen", "btnSchliessen", this);
    outer->addLayout(controls::buttonRow({btnDrucken, btnCsv, btnSchliessen}));
    connect(btnDrucken, &QPushButton::clicked, this, &TFormWerkmass::btnDruckenClick);
    connect(btnCsv, &QPushButton::clicked, this, &TFormWerkmass::btnCsvClick);
    connect(btnSchliessen, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormWerkmass::setComparison(evaluation::MillComparison comparison, const QString &listName)
{
    m_comparison = std::move(comparison);
    m_listName = listName;
    const evaluation::MillComparison &c = *m_comparison;
    setWindowTitle(QStringLiteral("Werkmaß prüfen – %1").arg(listName));
    lblKopf->setText(c.headerLines().join(QStringLiteral("    ")));
    const QStringList warnings = c.warnings();
    lblWarnung->setText(warnings.join(u'\n'));
    lblWarnung->setVisible(!warnings.isEmpty());
    lblSumme->setText(c.summaryLine());
    m_classes->setRows(int(c.classRows().size()), [&c](int row) { return evaluation::millClassTexts(c.classRows()[std::size_t(row)]); });
    m_logs->setRows(
        int(c.rows().size()), [&c](int row) { return evaluation::millRowTexts(c.rows()[std::size_t(row)]); },
        [&c](int row) { return c.rows()[std::size_t(row)].notable(); });
}

void TFormWerkmass::btnDruckenClick()
{
    controls::guarded(m_dialogs, [&] {
        if (!m_comparison)
            return;
        evaluation::werkmassReport(evaluation::templatePath(m_shell, QStringLiteral("Werkmass.rtm")), *m_comparison, m_listName)
            .print(QStringLiteral("Screen"), this);
    });
}

void TFormWerkmass::btnCsvClick()
{
    controls::guarded(m_dialogs, [&] {
        if (!m_comparison)
            return;
        const QString folder = controls::dialogFolder(m_folder);
        const controls::DialogService::SaveChoice choice =
            m_dialogs.saveFile(QStringLiteral("Werkmaß als CSV speichern"), QStringLiteral("CSV für Tabellenkalkulation|*.csv"), 0,
                               folder + u'/' + m_listName + QStringLiteral("-Werkmass.csv"));
        if (choice.path.isEmpty())
            return;
        QString path = choice.path;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".csv");
        m_folder = QFileInfo(path).absolutePath();
        exporting::writeWholeFile(path, evaluation::millCsv(*m_comparison));
        m_dialogs.information(QStringLiteral("Der Vergleich wurde in die Datei\n%1\ngeschrieben.").arg(QDir::toNativeSeparators(path)));
    });
}
