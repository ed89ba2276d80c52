#include "entry/FormStammeingabe.h"

#include "controls/ColumnWidth.h"
#include "controls/ErrorGuard.h"
#include "data/DataModule.h"
#include "entry/EntryGrid.h"
#include "entry/EntryGridModel.h"
#include "entry/GridPositions.h"
#include "values/DisplayFormat.h"
#include "values/ListColumns.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

// The widgets of the entry window: the header fields above, the log grid below.

namespace pos = entry::position;
namespace col = values::listcolumn;

void TFormStammeingabe::buildHeader(QWidget *panel)
{
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setColumnMinimumWidth(0, 80);

    auto field = [panel](const QString &name, int maxLength, int width) {
        auto *edit = new QLineEdit(panel);
        edit->setObjectName(name);
        edit->setMaxLength(maxLength);
        edit->setMinimumWidth(width);
        return edit;
    };
    auto label = [panel](const QString &name, const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, panel);
        l->setObjectName(name);
        l->setBuddy(buddy);
        return l;
    };
    auto check = [panel](const QString &name, const QString &text) {
        auto *box = new QCheckBox(text, panel);
        box->setObjectName(name);
        // The caption stands left of the box.
        box->setLayoutDirection(Qt::RightToLeft);
        return box;
    };

    edtBeschreibung = field(QStringLiteral("edtBeschreibung"), 100, 441);
    edtAbteilung = field(QStringLiteral("edtAbteilung"), 50, 121);
    edtBaumart = field(QStringLiteral("edtBaumart"), 50, 121);
    edtSorte = field(QStringLiteral("edtSorte"), 50, 121);
    chkgeschaelt = check(QStringLiteral("chkgeschaelt"), QStringLiteral("&geschält"));
    chkgerueckt = check(QStringLiteral("chkgerueckt"), QStringLiteral("ge&rückt"));
    chkgeschaelt->setChecked(true);

    grid->addWidget(label(QStringLiteral("lblBeschreibung"), QStringLiteral("&Beschreibung:"), edtBeschreibung), 0, 0);
    grid->addWidget(edtBeschreibung, 0, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("lblAbteilung"), QStringLiteral("&Abteilung:"), edtAbteilung), 1, 0);
    grid->addWidget(edtAbteilung, 1, 1);
    grid->addWidget(chkgeschaelt, 1, 2, Qt::AlignLeft);
    grid->addWidget(label(QStringLiteral("lblBaumart"), QStringLiteral("Bau&mart:"), edtBaumart), 2, 0);
    grid->addWidget(edtBaumart, 2, 1);
    grid->addWidget(chkgerueckt, 2, 2, Qt::AlignLeft);
    grid->addWidget(label(QStringLiteral("lblSorte"), QStringLiteral("&Sorte:"), edtSorte), 3, 0);
    grid->addWidget(edtSorte, 3, 1);
    grid->setColumnStretch(3, 1);
}

void TFormStammeingabe::buildGrid()
{
    rxdbgrdDorveingabe = new entry::EntryGrid(this);
    rxdbgrdDorveingabe->setObjectName(QStringLiteral("rxdbgrdDorveingabe"));

    const QColor computed = QApplication::palette().color(QPalette::ToolTipBase);
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    auto column = [](QString field, QString title, int width, Qt::Alignment align, bool readOnly, QColor background,
                     Qt::Alignment titleAlign) {
        entry::EntryGridModel::Column c;
        c.grid.field = std::move(field);
        c.grid.title = std::move(title);
        c.grid.width = width;
        c.grid.alignment = align;
        c.grid.readOnly = readOnly;
        c.grid.background = background;
        c.titleAlignment = titleAlign;
        return c;
    };
    // In the order of their positions 1 to 7; numbers stand right-aligned in their cells.
    std::vector<entry::EntryGridModel::Column> columns{
        column(col::Id, QStringLiteral("Stamm-Nr"), 50, right, true, computed, left),
        column(col::Laenge, QStringLiteral("Länge"), 75, right, false, {}, left),
        column(col::Durchmein, QStringLiteral("Durchmesser"), 75, right, false, {}, right),
        column(col::Durchmeff, QStringLiteral("Durchm. eff"), 75, right, true, computed, right),
        column(col::Gueteklasse, QStringLiteral("Güteklasse"), 60, right, false, {}, left),
        column(col::Volumen, QStringLiteral("Volumen"), 50, right, true, computed, left),
        column(col::Staerkeklasse, QStringLiteral("Stärkeklasse"), 75, right, true, computed, left),
    };
    m_model = new entry::EntryGridModel(m_dmod.qryDorvTabelle, columns, this);
    m_model->onError = [this](const std::exception &e) {
        m_refusedText = controls::errorText(e);
        rxdbgrdDorveingabe->refuseCommit();
    };
    rxdbgrdDorveingabe->setModel(m_model);
    // The designed widths, widened where a title, the number of the 100,000th log or a volume
    // such as "10,66 FM" would be cut.
    const QStringList widest{values::display::longestLogCount, {}, {}, {}, {}, QStringLiteral("00,00 FM"), {}};
    for (int i = 0; i < int(columns.size()); ++i) {
        const controls::GridColumn &c = columns[i].grid;
        rxdbgrdDorveingabe->horizontalHeader()->resizeSection(
            i, controls::fittedColumnWidth(*rxdbgrdDorveingabe->horizontalHeader(), i, c.width, widest[i]));
    }
    // The window grows with its columns, so that every column shows without scrolling.
    const int gridWidth = rxdbgrdDorveingabe->horizontalHeader()->length() + rxdbgrdDorveingabe->verticalHeader()->sizeHint().width()
                          + rxdbgrdDorveingabe->verticalScrollBar()->sizeHint().width() + 2 * rxdbgrdDorveingabe->frameWidth();
    resize(std::max(width(), gridWidth + 48), height()); // with room for the row indicator

    entry::EntryGrid::Hooks &hooks = rxdbgrdDorveingabe->hooks;
    hooks.cursorMoved = [this](const QModelIndex &from, const QModelIndex &to) {
        onCursorMoved(from.row(), from.column(), to.row(), to.column());
    };
    hooks.enterKey = [this] { rxdbgrdDorveingabeKeyPress(); };
    hooks.deleteKey = [this] { rxdbgrdDorveingabeDelete(); };
    hooks.downPastLastRow = [this] { onDownPastLastRow(); };
    hooks.escapeKey = [this] { onEscape(); };
    hooks.cellClicked = [this](int column) { rxdbgrdDorveingabeCellClick(pos::ofColumn(column)); };
    hooks.textRefused = [this] { onTextRefused(); };
}
