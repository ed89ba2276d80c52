#include "entry/FormStammeingabe.h"

#include "controls/DialogService.h"
#include "controls/ColumnWidth.h"
#include "controls/ErrorGuard.h"
#include "data/DataModule.h"
#include "data/DisplayFormat.h"
#include "data/Shell.h"
#include "entry/EntryGrid.h"
#include "entry/EntryGridDelegate.h"
#include "entry/EntryGridModel.h"
#include "entry/GridPositions.h"
#include "entry/MeasurementRules.h"
#include "entry/StoreAllLogs.h"

#include <QApplication>
#include <QFrame>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace pos = entry::position;

namespace {

const QString laengeFeld = QStringLiteral("LAENGE");
const QString durchmeinFeld = QStringLiteral("DURCHMEIN");
const QString durchmeffFeld = QStringLiteral("DURCHMEFF");
const QString gueteFeld = QStringLiteral("GUETEKLASSE");
const QString staerkeFeld = QStringLiteral("STAERKEKLASSE");

const QString kopfLesen = QStringLiteral("SELECT * FROM DORVZUSATZ WHERE OFFSET = :OFFSET");
const QString kopfSchreiben = QStringLiteral(
    "UPDATE DORVZUSATZ SET ABTEILUNG = :ABTEILUNG, BAUMART =:BAUMART, SORTE =:SORTE, ZUSATZTEXT =:ZUSATZTEXT, "
    "GESCHAELT =:GESCHAELT, GERUECKT =:GERUECKT WHERE OFFSET =:OFFSET");

// A value the range check accepts: filled, whole, from 1 to the maximum.
bool inRange(const QVariant &value, int max)
{
    if (value.isNull())
        return false;
    bool ok = false;
    const int v = value.toInt(&ok);
    return ok && v >= 1 && v <= max;
}

QString rangeMessage(int max)
{
    return QStringLiteral("Bitte einen Wert zwischen 1 und %1 eingeben!").arg(max);
}

} // namespace

TFormStammeingabe::TFormStammeingabe(TDMod &dmod, Shell &shell, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormStammeingabe"));
    setWindowTitle(QStringLiteral("Stammeingabe"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    resize(548, 553);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);

    pnlZusatz = new QFrame(this);
    pnlZusatz->setObjectName(QStringLiteral("pnlZusatz"));
    static_cast<QFrame *>(pnlZusatz)->setFrameShape(QFrame::StyledPanel);
    buildHeader(pnlZusatz);
    layout->addWidget(pnlZusatz);

    buildGrid();
    layout->addWidget(rxdbgrdDorveingabe, 1);

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnOK->setFixedSize(89, 25);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addStretch();
    layout->addLayout(buttons);

    sbInfo = new QStatusBar(this);
    sbInfo->setObjectName(QStringLiteral("sbInfo"));
    sbInfo->setSizeGripEnabled(false);
    m_sbPanel = new QLabel(QStringLiteral("Info:"), sbInfo);
    m_sbPanel->setObjectName(QStringLiteral("sbInfoPanel"));
    sbInfo->addWidget(m_sbPanel, 1);
    layout->addWidget(sbInfo);

    setTabOrder(edtBeschreibung, edtAbteilung);
    setTabOrder(edtAbteilung, edtBaumart);
    setTabOrder(edtBaumart, edtSorte);
    setTabOrder(edtSorte, chkgeschaelt);
    setTabOrder(chkgeschaelt, chkgerueckt);
    setTabOrder(chkgerueckt, rxdbgrdDorveingabe);
    setTabOrder(rxdbgrdDorveingabe, btnOK);

    FormCreate();

    connect(btnOK, &QPushButton::clicked, this, [this] { guarded(m_dialogs, [this] { btnOKClick(); }); });
    connect(chkgeschaelt, &QCheckBox::toggled, this, [this] { guarded(m_dialogs, [this] { chkgeschaeltClick(); }); });
    connect(qApp, &QApplication::focusChanged, this, &TFormStammeingabe::onFocusChanged);

    // The grid's cursor follows the log query wherever the query moves.
    data::Dataset &logs = m_dmod.qryDorvTabelle;
    connect(&logs, &data::Dataset::currentChanged, this, &TFormStammeingabe::followDataset);
    connect(&logs, &data::Dataset::reset, this, &TFormStammeingabe::followDataset);
    connect(&logs, &data::Dataset::rowInserted, this, &TFormStammeingabe::followDataset);
    connect(&logs, &data::Dataset::rowRemoved, this, &TFormStammeingabe::followDataset);
}

TFormStammeingabe::~TFormStammeingabe()
{
    m_dmod.setLogRowRules(nullptr);
    disconnect(qApp, &QApplication::focusChanged, this, &TFormStammeingabe::onFocusChanged);
}

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
    rxdbgrdDorveingabe = new EntryGrid(this);
    rxdbgrdDorveingabe->setObjectName(QStringLiteral("rxdbgrdDorveingabe"));

    const QColor computed = QApplication::palette().color(QPalette::ToolTipBase);
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    auto column = [](QString field, QString title, int width, Qt::Alignment align, bool readOnly, QColor background,
                     Qt::Alignment titleAlign) {
        EntryGridModel::Column c;
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
    std::vector<EntryGridModel::Column> columns{
        column(QStringLiteral("ID"), QStringLiteral("Stamm-Nr"), 50, right, true, computed, left),
        column(laengeFeld, QStringLiteral("Länge"), 75, right, false, {}, left),
        column(durchmeinFeld, QStringLiteral("Durchmesser"), 75, right, false, {}, right),
        column(durchmeffFeld, QStringLiteral("Durchm. eff"), 75, right, true, computed, right),
        column(gueteFeld, QStringLiteral("Güteklasse"), 60, right, false, {}, left),
        column(QStringLiteral("VOLUMEN"), QStringLiteral("Volumen"), 50, right, true, computed, left),
        column(staerkeFeld, QStringLiteral("Stärkeklasse"), 75, right, true, computed, left),
    };
    m_model = new EntryGridModel(m_dmod.qryDorvTabelle, columns, this);
    m_model->onError = [this](const std::exception &e) {
        m_refusedText = errorText(e);
        rxdbgrdDorveingabe->refuseCommit();
    };
    rxdbgrdDorveingabe->setModel(m_model);
    // The designed widths, widened where a title, the number of the 100,000th log or a volume
    // such as "10,66 FM" would be cut.
    const QStringList widest{display::longestLogCount, {}, {}, {}, {}, QStringLiteral("00,00 FM"), {}};
    for (int i = 0; i < int(columns.size()); ++i) {
        const GridColumn &c = columns[i].grid;
        rxdbgrdDorveingabe->horizontalHeader()->resizeSection(
            i, fittedColumnWidth(*rxdbgrdDorveingabe->horizontalHeader(), i, c.width, widest[i]));
    }
    // The window grows with its columns, so that every column shows without scrolling.
    const int gridWidth = rxdbgrdDorveingabe->horizontalHeader()->length() + rxdbgrdDorveingabe->verticalHeader()->sizeHint().width()
                          + rxdbgrdDorveingabe->verticalScrollBar()->sizeHint().width() + 2 * rxdbgrdDorveingabe->frameWidth();
    resize(std::max(width(), gridWidth + 48), height()); // with room for the row indicator

    EntryGrid::Hooks &hooks = rxdbgrdDorveingabe->hooks;
    hooks.cursorMoved = [this](const QModelIndex &from, const QModelIndex &to) {
        guarded(m_dialogs, [&] { onCursorMoved(from.row(), from.column(), to.row(), to.column()); });
    };
    hooks.enterKey = [this] { guarded(m_dialogs, [this] { rxdbgrdDorveingabeKeyPress(); }); };
    hooks.deleteKey = [this] { guarded(m_dialogs, [this] { rxdbgrdDorveingabeDelete(); }); };
    hooks.downPastLastRow = [this] { guarded(m_dialogs, [this] { onDownPastLastRow(); }); };
    hooks.escapeKey = [this] { guarded(m_dialogs, [this] { onEscape(); }); };
    hooks.cellClicked = [this](int column) {
        guarded(m_dialogs, [&] { rxdbgrdDorveingabeCellClick(pos::ofColumn(column)); });
    };
    hooks.textRefused = [this] { onTextRefused(); };
}

void TFormStammeingabe::FormCreate()
{
    auto *delegate = static_cast<EntryGridDelegate *>(rxdbgrdDorveingabe->itemDelegate());
    QStringList pickList;
    for (QStringView klasse : entry::Gueteklassen)
        pickList << klasse.toString();
    delegate->setPickList(pos::column(pos::Gueteklasse), pickList, 3);
    QFont bold = sbInfo->font();
    bold.setBold(true);
    sbInfo->setFont(bold);
    m_sbPanel->setFont(bold);
    MaxDurchmesser = entry::MaxDurchmesserGeschaelt;
    Ruecksprungspalte = -1;
}

void TFormStammeingabe::setMode(StammeingabeMode mode)
{
    m_mode = mode;
    const bool entry = mode == StammeingabeMode::Eingabe;
    setWindowTitle(entry ? QStringLiteral("Stammeingabe") : QStringLiteral("Stammübersicht"));
    pnlZusatz->setEnabled(entry);
    EntryGrid *grid = rxdbgrdDorveingabe;
    grid->setEditTriggers(entry ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                                      | QAbstractItemView::DoubleClicked
                                : QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(entry ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    grid->verticalHeader()->setVisible(entry);
    m_model->setReadOnly(!entry);
    followDataset();
}

// ---- rules on the current row of the log query ----

void TFormStammeingabe::DurchmeffBerechnen(data::Dataset &logQuery)
{
    logQuery.setValue(durchmeffFeld, entry::DurchmeffBerechnen(logQuery.intValue(durchmeinFeld), chkgeschaelt->isChecked()));
}

double TFormStammeingabe::VolumenBerechnen()
{
    const data::Dataset &logs = m_dmod.qryDorvTabelle;
    return entry::VolumenBerechnen(logs.intValue(durchmeffFeld), logs.intValue(laengeFeld));
}

void TFormStammeingabe::GueteklasseUmsetzen()
{
    data::Dataset &logs = m_dmod.qryDorvTabelle;
    Ruecksprungspalte = m_position;
    bool accepted = false;
    logs.setValue(gueteFeld, entry::GueteklasseUmsetzen(logs.text(gueteFeld), accepted));
    if (accepted)
        Ruecksprungspalte = -1;
}

void TFormStammeingabe::StaerkeklasseBerechnen()
{
    data::Dataset &logs = m_dmod.qryDorvTabelle;
    logs.setValue(staerkeFeld, entry::StaerkeklasseBerechnen(logs.intValue(durchmeffFeld)));
}

// ---- status bar ----

void TFormStammeingabe::MeldungAnzeigen(const QString &text, int kind)
{
    switch (kind) {
    case 1:
        m_sbPanel->setText(QStringLiteral("Info: ") + text);
        break;
    case 2:
        m_sbPanel->setText(QStringLiteral("Achtung: ") + text);
        m_dialogs.beep();
        break;
    case 3:
        m_sbPanel->setText(QStringLiteral("Fehler: ") + text);
        m_dialogs.beep();
        m_dialogs.beep();
        break;
    default:
        break;
    }
}

QString TFormStammeingabe::statusText() const
{
    return m_sbPanel->text();
}

// ---- the cursor ----

void TFormStammeingabe::setPosition(int position)
{
    m_position = std::clamp(position, pos::First, pos::Last);
    followDataset();
}

void TFormStammeingabe::followDataset()
{
    if (m_quietDataset)
        return;
    const data::Dataset &logs = m_dmod.qryDorvTabelle;
    if (logs.isOpen() && logs.recNo() >= 0)
        rxdbgrdDorveingabe->placeCursor(logs.recNo(), pos::column(m_position));
}

void TFormStammeingabe::clamp()
{
    if (m_position <= pos::StammNr)
        setPosition(pos::Laenge);
    else if (m_position > pos::Gueteklasse || m_position == pos::DurchmEff)
        setPosition(pos::Gueteklasse);
}

// ---- column rules ----

void TFormStammeingabe::rxdbgrdDorveingabeColEnter()
{
    if (Ruecksprungspalte >= 0)
        setPosition(Ruecksprungspalte);
    if (m_position <= pos::StammNr)
        setPosition(pos::Laenge);
    else if (m_position > pos::Gueteklasse)
        setPosition(pos::Gueteklasse);
    else if (m_position == pos::DurchmEff)
        setPosition(pos::DurchmEff < LetzteSpalte ? pos::Durchmesser : pos::Gueteklasse);

    if (Ruecksprungspalte != -1)
        return; // the error message stays
    MeldungAnzeigen(QString(), 1);
    if (m_position == pos::Laenge || LetzteSpalte == pos::Gueteklasse)
        MeldungAnzeigen(QStringLiteral("Bitte die Länge des Stammes eingeben (01-%1)").arg(entry::MaxLaenge), 1);
    if (m_position == pos::Durchmesser)
        MeldungAnzeigen(QStringLiteral("Bitte den Durchmesser des Stammes eingeben (01-%1)").arg(MaxDurchmesser), 1);
    if (m_position == pos::Gueteklasse && LetzteSpalte != pos::Gueteklasse)
        MeldungAnzeigen(QStringLiteral("Bitte die Güteklasse des Stammes eingeben (1->B 2->C 3->CgW)"), 1);
}

void TFormStammeingabe::rxdbgrdDorveingabeColExit()
{
    const data::Dataset &logs = m_dmod.qryDorvTabelle;
    LetzteSpalte = m_position;
    Ruecksprungspalte = -1;
    if (m_position == pos::Laenge && !inRange(logs.isOpen() ? logs.value(laengeFeld) : QVariant(), entry::MaxLaenge)) {
        Ruecksprungspalte = pos::Laenge;
        MeldungAnzeigen(rangeMessage(entry::MaxLaenge), 3);
    }
    if (m_position == pos::Durchmesser && !inRange(logs.isOpen() ? logs.value(durchmeinFeld) : QVariant(), MaxDurchmesser)) {
        Ruecksprungspalte = pos::Durchmesser;
        MeldungAnzeigen(rangeMessage(MaxDurchmesser), 3);
    }
}

void TFormStammeingabe::rxdbgrdDorveingabeCellClick(int position)
{
    // A pending return to a failed column wins over the click.
    if (Ruecksprungspalte >= 0)
        return;
    int target = position;
    if (target <= pos::StammNr)
        target = pos::Laenge;
    else if (target > pos::Gueteklasse || target == pos::DurchmEff)
        target = pos::Gueteklasse;
    if (target == m_position)
        return;
    setPosition(target);
    // The hint names the column the cursor landed in.
    if (target == pos::Laenge)
        MeldungAnzeigen(QStringLiteral("Bitte die Länge des Stammes eingeben (01-%1)").arg(entry::MaxLaenge), 1);
    else if (target == pos::Gueteklasse)
        MeldungAnzeigen(QStringLiteral("Bitte die Güteklasse des Stammes eingeben (1->B 2->C 3->CgW)"), 1);
}

void TFormStammeingabe::onCursorMoved(int fromRow, int fromColumn, int toRow, int toColumn)
{
    data::Dataset &logs = m_dmod.qryDorvTabelle;
    m_position = pos::ofColumn(fromColumn);
    if (toRow != fromRow && logs.isOpen() && toRow >= 0) {
        // Moving to another row stores what was typed into the row left, or drops it.
        logs.moveTo(toRow);
    }
    if (toColumn != fromColumn) {
        rxdbgrdDorveingabeColExit();
        m_position = pos::ofColumn(toColumn);
        rxdbgrdDorveingabeColEnter();
    }
    followDataset();
}

// ---- keys ----

void TFormStammeingabe::rxdbgrdDorveingabeKeyPress()
{
    data::Dataset &logs = m_dmod.qryDorvTabelle;
    rxdbgrdDorveingabeColExit();
    LetzteSpalte = m_position;
    int next = m_position + 1;
    if (next == pos::DurchmEff)
        ++next;
    setPosition(next);
    rxdbgrdDorveingabeColEnter();
    if (LetzteSpalte != pos::Gueteklasse || !logs.isOpen())
        return;

    setPosition(pos::Laenge);
    if (logs.isEditing()) {
        if (m_dmod.CheckDatensatz())
            logs.post();
        else
            logs.cancel();
    }
    logs.next();
    if (logs.eof() && entryMode())
        logs.append();
    followDataset();
}

void TFormStammeingabe::rxdbgrdDorveingabeDelete()
{
    data::Dataset &logs = m_dmod.qryDorvTabelle;
    if (!logs.isOpen() || (logs.isEmpty() && !logs.isEditing()))
        return;
    rxdbgrdDorveingabe->dropEditor();
    if (!m_dialogs.confirm(QStringLiteral("Delete record?")))
        return;
    m_dmod.deleteCurrentLog();
    followDataset();
}

void TFormStammeingabe::onDownPastLastRow()
{
    data::Dataset &logs = m_dmod.qryDorvTabelle;
    if (!entryMode() || !logs.isOpen())
        return;
    if (logs.state() == data::DatasetState::Insert && !logs.modified())
        return; // already on an untouched new row
    logs.append();
}

void TFormStammeingabe::onEscape()
{
    data::Dataset &logs = m_dmod.qryDorvTabelle;
    if (logs.isOpen() && logs.isEditing())
        logs.cancel();
}

void TFormStammeingabe::onTextRefused()
{
    // Shown once the grid has settled; the text stays in its cell for correction.
    const QString text = m_refusedText;
    QTimer::singleShot(0, this, [this, text] { m_dialogs.error(text); });
}

// ---- focus ----

bool TFormStammeingabe::insideGrid(const QWidget *widget) const
{
    return widget && (widget == rxdbgrdDorveingabe || rxdbgrdDorveingabe->isAncestorOf(widget));
}

void TFormStammeingabe::onFocusChanged(QWidget *old, QWidget *now)
{
    if (!now || now->window() != this)
        return; // another window or program has the focus for now
    const bool fromHere = old && old->window() == this;
    const bool wasInGrid = fromHere && insideGrid(old);
    const bool isInGrid = insideGrid(now);
    if (wasInGrid && !isInGrid)
        guarded(m_dialogs, [this] { rxdbgrdDorveingabeExit(); });
    // Coming back from a message box is no new entering of the grid.
    if (isInGrid && !wasInGrid && (fromHere || m_activating))
        guarded(m_dialogs, [this] { rxdbgrdDorveingabeEnter(); });
    if (now == edtBeschreibung)
        edtBeschreibungEnter();
    else if (now == edtAbteilung)
        edtAbteilungEnter();
    else if (now == edtBaumart)
        edtBaumartEnter();
    else if (now == edtSorte)
        edtSorteEnter();
    else if (now == chkgeschaelt)
        chkgeschaeltEnter();
    else if (now == chkgerueckt)
        chkgeruecktEnter();
}

void TFormStammeingabe::rxdbgrdDorveingabeEnter()
{
    clamp();
    rxdbgrdDorveingabeColEnter();
}

void TFormStammeingabe::storeOrDrop()
{
    data::Dataset &logs = m_dmod.qryDorvTabelle;
    if (!logs.isOpen())
        return;
    if (logs.state() == data::DatasetState::Insert && !logs.modified())
        logs.cancel();
    if (logs.isEditing()) {
        if (m_dmod.CheckDatensatz())
            logs.post();
        else
            logs.cancel();
    }
}

void TFormStammeingabe::rxdbgrdDorveingabeExit()
{
    storeOrDrop();
}

void TFormStammeingabe::edtBeschreibungEnter()
{
    MeldungAnzeigen(QStringLiteral("Hier kann ein erläuternder Text zur Datei eingegeben werden"), 1);
}

void TFormStammeingabe::edtAbteilungEnter()
{
    MeldungAnzeigen(QStringLiteral("Bitte die Abteilung eingeben"), 1);
}

void TFormStammeingabe::edtBaumartEnter()
{
    MeldungAnzeigen(QStringLiteral("Bitte die Baumart (z.B. Fichte) eingeben"), 1);
}

void TFormStammeingabe::edtSorteEnter()
{
    MeldungAnzeigen(QStringLiteral("Bitte die Sorte (z.B. Langdorv) eingeben"), 1);
}

void TFormStammeingabe::chkgeschaeltEnter()
{
    MeldungAnzeigen(QStringLiteral("Wird der Durchmesser der Stämme schon ohne Rinde eingegeben?"), 1);
}

void TFormStammeingabe::chkgeruecktEnter()
{
    MeldungAnzeigen(QStringLiteral("Sind die Stämme bereits gerückt?"), 1);
}

// ---- geschält ----

void TFormStammeingabe::chkgeschaeltClick()
{
    data::Dataset &logs = m_dmod.qryDorvTabelle;
    const bool geschaelt = chkgeschaelt->isChecked();
    if (logs.isOpen()) {
        rxdbgrdDorveingabe->finishEditing();
        logs.first();
        if (geschaelt != GeschaeltZuletzt) {
            try {
                ++m_quietDataset;
                entry::storeAllLogsForGeschaelt(m_dmod.dbDorv, logs, m_shell.currentListName(), geschaelt);
                --m_quietDataset;
            } catch (...) {
                --m_quietDataset;
                // Nothing was stored: the box shows the state the logs are stored for.
                const QSignalBlocker block(chkgeschaelt);
                chkgeschaelt->setChecked(GeschaeltZuletzt);
                MaxDurchmesser = GeschaeltZuletzt ? entry::MaxDurchmesserGeschaelt : entry::MaxDurchmesserUngeschaelt;
                followDataset();
                throw;
            }
            GeschaeltZuletzt = geschaelt;
        }
        followDataset();
    }
    MaxDurchmesser = geschaelt ? entry::MaxDurchmesserGeschaelt : entry::MaxDurchmesserUngeschaelt;
}

// ---- opening and closing ----

bool TFormStammeingabe::event(QEvent *event)
{
    if (event->type() == QEvent::Show)
        m_activatePending = true;
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && m_activatePending) {
        m_activatePending = false;
        guarded(m_dialogs, [this] { FormActivate(); });
    }
    return handled;
}

void TFormStammeingabe::keyPressEvent(QKeyEvent *event)
{
    // The window has no cancel button: Esc does not close it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormStammeingabe::FormActivate()
{
    data::Dataset &kopf = m_dmod.qryDorvZusatz;
    kopf.setSql(kopfLesen);
    kopf.setParam(QStringLiteral("OFFSET"), m_shell.currentListName());
    kopf.open();
    if (!kopf.isEmpty()) {
        edtAbteilung->setText(kopf.text(QStringLiteral("ABTEILUNG")));
        edtBaumart->setText(kopf.text(QStringLiteral("BAUMART")));
        edtSorte->setText(kopf.text(QStringLiteral("SORTE")));
        edtBeschreibung->setText(kopf.text(QStringLiteral("ZUSATZTEXT")));
        chkgeschaelt->setChecked(kopf.value(QStringLiteral("GESCHAELT")).toBool());
        GeschaeltZuletzt = chkgeschaelt->isChecked();
        chkgerueckt->setChecked(kopf.value(QStringLiteral("GERUECKT")).toBool());
    }
    kopf.close();

    data::Dataset &logs = m_dmod.qryDorvTabelle;
    {
        m_activating = true;
        rxdbgrdDorveingabe->setFocus(Qt::OtherFocusReason);
        m_activating = false;
    }
    setPosition(pos::Laenge);
    logs.last();
    followDataset();

    if (!entryMode())
        return;
    // Errors while placing the focus are of no concern to the user.
    try {
        for (QLineEdit *edit : {edtBeschreibung, edtAbteilung, edtBaumart, edtSorte}) {
            if (edit->text().isEmpty()) {
                edit->setFocus(Qt::OtherFocusReason);
                return;
            }
        }
        logs.append();
    } catch (const std::exception &) {
    }
}

void TFormStammeingabe::FormClose()
{
    // A row being typed is stored or dropped as when the grid is left.
    guarded(m_dialogs, [this] {
        rxdbgrdDorveingabe->finishEditing();
        storeOrDrop();
    });
    data::Dataset &kopf = m_dmod.qryDorvZusatz;
    kopf.setSql(kopfSchreiben);
    kopf.setParam(QStringLiteral("OFFSET"), m_shell.currentListName());
    kopf.setParam(QStringLiteral("ABTEILUNG"), edtAbteilung->text());
    kopf.setParam(QStringLiteral("BAUMART"), edtBaumart->text());
    kopf.setParam(QStringLiteral("SORTE"), edtSorte->text());
    kopf.setParam(QStringLiteral("ZUSATZTEXT"), edtBeschreibung->text());
    kopf.setParam(QStringLiteral("GESCHAELT"), chkgeschaelt->isChecked());
    kopf.setParam(QStringLiteral("GERUECKT"), chkgerueckt->isChecked());
    kopf.execSql();
}

void TFormStammeingabe::done(int result)
{
    // Every close, by OK or by the title bar, writes the list header.
    guarded(m_dialogs, [this] { FormClose(); });
    QDialog::done(result);
}

void TFormStammeingabe::btnOKClick()
{
    close();
    m_shell.SQLVorbereiten();
    m_shell.FuelleStatusBar(true);
}
