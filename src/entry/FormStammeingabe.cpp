#include "entry/FormStammeingabe.h"

#include "controls/Buttons.h"
#include "controls/DialogService.h"
#include "controls/ColumnWidth.h"
#include "controls/ErrorGuard.h"
#include "data/DataModule.h"
#include "data/ListFullError.h"
#include "data/LogList.h"
#include "data/Shell.h"
#include "entry/EntryCursor.h"
#include "entry/EntryGrid.h"
#include "entry/EntryGridDelegate.h"
#include "entry/EntryGridModel.h"
#include "entry/GridPositions.h"
#include "rules/MeasurementRules.h"
#include "entry/StoreAllLogs.h"
#include "values/DisplayFormat.h"
#include "values/ListColumns.h"

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
#include <utility>

namespace pos = entry::position;
namespace col = values::listcolumn;

TFormStammeingabe::TFormStammeingabe(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
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

    btnOK = controls::defaultButton("&OK", "btnOK", this);
    btnOK->setFixedSize(89, 25);
    layout->addLayout(controls::buttonRow({btnOK}, {}));

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

    connect(btnOK, &QPushButton::clicked, this, &TFormStammeingabe::btnOKClick);
    connect(chkgeschaelt, &QCheckBox::toggled, this, &TFormStammeingabe::chkgeschaeltClick);
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

void TFormStammeingabe::FormCreate()
{
    auto *delegate = static_cast<entry::EntryGridDelegate *>(rxdbgrdDorveingabe->itemDelegate());
    QStringList pickList;
    for (QStringView klasse : rules::Gueteklassen)
        pickList << klasse.toString();
    delegate->setPickList(pos::column(pos::Gueteklasse), pickList, 3);
    QFont bold = sbInfo->font();
    bold.setBold(true);
    sbInfo->setFont(bold);
    m_sbPanel->setFont(bold);
    MaxDurchmesser = rules::MaxDurchmesserGeschaelt;
    Ruecksprungspalte = -1;
}

void TFormStammeingabe::setMode(StammeingabeMode mode)
{
    m_mode = mode;
    const bool entry = mode == StammeingabeMode::Eingabe;
    setWindowTitle(entry ? QStringLiteral("Stammeingabe") : QStringLiteral("Stammübersicht"));
    pnlZusatz->setEnabled(entry);
    entry::EntryGrid *grid = rxdbgrdDorveingabe;
    grid->setEditTriggers(entry ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                                      | QAbstractItemView::DoubleClicked
                                : QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(entry ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    grid->verticalHeader()->setVisible(entry);
    m_model->setReadOnly(!entry);
    followDataset();
}

// ---- rules on the current row of the log query ----

void TFormStammeingabe::DurchmeffBerechnen(data::Dataset &logQuery, bool geschaelt)
{
    logQuery.setValue(col::Durchmeff, rules::DurchmeffBerechnen(logQuery.intValue(col::Durchmein), geschaelt));
}

double TFormStammeingabe::VolumenBerechnen()
{
    const data::Dataset &logs = m_dmod.qryDorvTabelle;
    return rules::VolumenBerechnen(logs.intValue(col::Durchmeff), logs.intValue(col::Laenge));
}

void TFormStammeingabe::GueteklasseUmsetzen()
{
    data::Dataset &logs = m_dmod.qryDorvTabelle;
    Ruecksprungspalte = m_position;
    bool accepted = false;
    logs.setValue(col::Gueteklasse, rules::GueteklasseUmsetzen(logs.text(col::Gueteklasse), accepted));
    if (accepted)
        Ruecksprungspalte = -1;
}

void TFormStammeingabe::StaerkeklasseBerechnen()
{
    data::Dataset &logs = m_dmod.qryDorvTabelle;
    logs.setValue(col::Staerkeklasse, rules::StaerkeklasseBerechnen(logs.intValue(col::Durchmeff)));
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
    const int target = entry::EntryCursor::editable(m_position);
    if (target != m_position)
        setPosition(target);
}

// ---- column rules ----

void TFormStammeingabe::rxdbgrdDorveingabeColEnter()
{
    if (Ruecksprungspalte >= 0)
        setPosition(Ruecksprungspalte);
    const int target = entry::EntryCursor::entered(m_position, LetzteSpalte);
    if (target != m_position)
        setPosition(target);

    if (Ruecksprungspalte != -1)
        return; // the error message stays
    MeldungAnzeigen(entry::EntryCursor::enterHint(m_position, LetzteSpalte, MaxDurchmesser), 1);
}

void TFormStammeingabe::rxdbgrdDorveingabeColExit()
{
    const data::Dataset &logs = m_dmod.qryDorvTabelle;
    LetzteSpalte = m_position;
    Ruecksprungspalte = -1;
    if (m_position == pos::Laenge && !entry::EntryCursor::inRange(logs.isOpen() ? logs.value(col::Laenge) : QVariant(), rules::MaxLaenge)) {
        Ruecksprungspalte = pos::Laenge;
        MeldungAnzeigen(entry::EntryCursor::rangeMessage(rules::MaxLaenge), 3);
    }
    if (m_position == pos::Durchmesser && !entry::EntryCursor::inRange(logs.isOpen() ? logs.value(col::Durchmein) : QVariant(), MaxDurchmesser)) {
        Ruecksprungspalte = pos::Durchmesser;
        MeldungAnzeigen(entry::EntryCursor::rangeMessage(MaxDurchmesser), 3);
    }
}

void TFormStammeingabe::rxdbgrdDorveingabeCellClick(int position)
{
    // A pending return to a failed column wins over the click.
    if (Ruecksprungspalte >= 0)
        return;
    const int target = entry::EntryCursor::editable(position);
    if (target == m_position)
        return;
    setPosition(target);
    // The hint names the column the cursor landed in.
    const QString hint = entry::EntryCursor::clickHint(target);
    if (!hint.isEmpty())
        MeldungAnzeigen(hint, 1);
}

void TFormStammeingabe::onCursorMoved(int fromRow, int fromColumn, int toRow, int toColumn)
{
    controls::guarded(m_dialogs, [&] {
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
    });
}

// ---- keys ----

void TFormStammeingabe::rxdbgrdDorveingabeKeyPress()
{
    controls::guarded(m_dialogs, [&] {
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
    });
}

void TFormStammeingabe::rxdbgrdDorveingabeDelete()
{
    controls::guarded(m_dialogs, [&] {
        data::Dataset &logs = m_dmod.qryDorvTabelle;
        if (!logs.isOpen() || (logs.isEmpty() && !logs.isEditing()))
            return;
        rxdbgrdDorveingabe->dropEditor();
        if (!m_dialogs.confirm(QStringLiteral("Delete record?")))
            return;
        m_dmod.deleteCurrentLog();
        followDataset();
    });
}

void TFormStammeingabe::onDownPastLastRow()
{
    controls::guarded(m_dialogs, [&] {
        data::Dataset &logs = m_dmod.qryDorvTabelle;
        if (!entryMode() || !logs.isOpen())
            return;
        if (logs.state() == data::DatasetState::Insert && !logs.modified())
            return; // already on an untouched new row
        logs.append();
    });
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
        rxdbgrdDorveingabeExit();
    // Coming back from a message box is no new entering of the grid.
    if (isInGrid && !wasInGrid && (fromHere || m_activating))
        rxdbgrdDorveingabeEnter();
    headerFieldEnter(now);
}

void TFormStammeingabe::rxdbgrdDorveingabeEnter()
{
    controls::guarded(m_dialogs, [&] {
        clamp();
        rxdbgrdDorveingabeColEnter();
    });
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
    controls::guarded(m_dialogs, [&] {
        storeOrDrop();
    });
}

void TFormStammeingabe::headerFieldEnter(const QWidget *field)
{
    const std::pair<const QWidget *, const char *> hints[] = {
        {edtBeschreibung, "Hier kann ein erläuternder Text zur Datei eingegeben werden"},
        {edtAbteilung, "Bitte die Abteilung eingeben"},
        {edtBaumart, "Bitte die Baumart (z.B. Fichte) eingeben"},
        {edtSorte, "Bitte die Sorte (z.B. Langholz) eingeben"},
        {chkgeschaelt, "Wird der Durchmesser der Stämme schon ohne Rinde eingegeben?"},
        {chkgerueckt, "Sind die Stämme bereits gerückt?"},
    };
    for (const auto &[widget, hint] : hints)
        if (widget == field)
            MeldungAnzeigen(QString::fromUtf8(hint), 1);
}

// ---- geschält ----

void TFormStammeingabe::chkgeschaeltClick()
{
    controls::guarded(m_dialogs, [&] {
        data::Dataset &logs = m_dmod.qryDorvTabelle;
        const bool geschaelt = chkgeschaelt->isChecked();
        m_dmod.setGeschaelt(geschaelt);
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
                    m_dmod.setGeschaelt(GeschaeltZuletzt);
                    MaxDurchmesser = GeschaeltZuletzt ? rules::MaxDurchmesserGeschaelt : rules::MaxDurchmesserUngeschaelt;
                    followDataset();
                    throw;
                }
                GeschaeltZuletzt = geschaelt;
            }
            followDataset();
        }
        MaxDurchmesser = geschaelt ? rules::MaxDurchmesserGeschaelt : rules::MaxDurchmesserUngeschaelt;
    });
}

// ---- opening and closing ----

bool TFormStammeingabe::event(QEvent *event)
{
    if (event->type() == QEvent::Show)
        m_activatePending = true;
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && m_activatePending) {
        m_activatePending = false;
        controls::guarded(m_dialogs, [this] { FormActivate(); });
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
    // The main window's header query is opened again by the main window once entry is done.
    m_dmod.qryDorvZusatz.close();
    if (const auto kopf = data::loglist::readHeader(m_dmod.dbDorv, m_shell.currentListName())) {
        edtAbteilung->setText(kopf->department);
        edtBaumart->setText(kopf->species);
        edtSorte->setText(kopf->assortment);
        edtBeschreibung->setText(kopf->text);
        chkgeschaelt->setChecked(kopf->peeled);
        GeschaeltZuletzt = chkgeschaelt->isChecked();
        chkgerueckt->setChecked(kopf->skidded);
    }
    m_dmod.setGeschaelt(chkgeschaelt->isChecked());

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
    try {
        for (QLineEdit *edit : {edtBeschreibung, edtAbteilung, edtBaumart, edtSorte}) {
            if (edit->text().isEmpty()) {
                edit->setFocus(Qt::OtherFocusReason);
                return;
            }
        }
        logs.append();
    } catch (const data::ListFullError &) {
        // The window opens without a new row; the message comes when the user asks for one.
    }
}

void TFormStammeingabe::FormClose()
{
    // A row being typed is stored or dropped as when the grid is left.
    controls::guarded(m_dialogs, [this] {
        rxdbgrdDorveingabe->finishEditing();
        storeOrDrop();
    });
    m_dmod.qryDorvZusatz.close();
    data::loglist::writeHeader(m_dmod.dbDorv, m_shell.currentListName(),
                               values::ListHeader{edtAbteilung->text(), edtBaumart->text(), edtSorte->text(),
                                                  edtBeschreibung->text(), chkgeschaelt->isChecked(),
                                                  chkgerueckt->isChecked()});
}

void TFormStammeingabe::done(int result)
{
    // Every close, by OK or by the title bar, writes the list header.
    controls::guarded(m_dialogs, [this] { FormClose(); });
    QDialog::done(result);
}

void TFormStammeingabe::btnOKClick()
{
    controls::guarded(m_dialogs, [&] {
        close();
        m_shell.SQLVorbereiten();
        m_shell.FuelleStatusBar(true);
    });
}
