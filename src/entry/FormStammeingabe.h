#pragma once

#include "data/DataModule.h"

#include <QDialog>
#include <QString>

namespace controls { class DialogService; }
namespace entry {
class EntryGrid;
class EntryGridModel;
}
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QWidget;
namespace data { class Shell; }
class TDMod;

// The two ways the main window shows the log entry window.
enum class StammeingabeMode { Eingabe, Uebersicht };

// The log entry window: the list header above, the grid of the list's logs below. Typing a
// log is length, Enter, diameter, Enter, quality, Enter; the status bar shows a hint for each
// column and an error for each value out of range. The window also supplies the rules the
// data module applies whenever a log is stored.
class TFormStammeingabe : public QDialog, public data::LogRowRules
{
    Q_OBJECT

public:
    TFormStammeingabe(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);
    ~TFormStammeingabe() override;

    // Caption, header panel and grid options of the mode (entry: "Stammeingabe", overview:
    // "Stammübersicht"); the main window then shows the window modally.
    void setMode(StammeingabeMode mode);
    StammeingabeMode mode() const { return m_mode; }

    // LogRowRules, on the current row of the log query.
    void DurchmeffBerechnen(data::Dataset &logQuery, bool geschaelt) override;
    double VolumenBerechnen() override;
    void GueteklasseUmsetzen() override;
    void StaerkeklasseBerechnen() override;

    // One message in the status bar: kind 1 "Info: ", 2 "Achtung: " with a beep, 3 "Fehler: "
    // with two beeps; any other kind changes nothing.
    void MeldungAnzeigen(const QString &text, int kind);
    QString statusText() const;

    // Window state.
    int Ruecksprungspalte = -1;
    int LetzteSpalte = 0;
    bool GeschaeltZuletzt = false;
    int MaxDurchmesser = 59;

    // The cursor's grid position (see GridPositions.h).
    int currentPosition() const { return m_position; }

    // Handlers.
    void FormCreate();
    void FormActivate();
    void FormClose();
    void btnOKClick();
    void chkgeschaeltClick();
    void rxdbgrdDorveingabeCellClick(int position);
    void rxdbgrdDorveingabeColEnter();
    void rxdbgrdDorveingabeColExit();
    void rxdbgrdDorveingabeEnter();
    void rxdbgrdDorveingabeExit();
    void rxdbgrdDorveingabeKeyPress();
    void rxdbgrdDorveingabeDelete();
    // A field of the header took the focus: its hint in the status bar.
    void headerFieldEnter(const QWidget *field);

    void done(int result) override;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildHeader(QWidget *panel);
    void buildGrid();
    void onFocusChanged(QWidget *old, QWidget *now);
    bool insideGrid(const QWidget *widget) const;
    void onCursorMoved(int fromRow, int fromColumn, int toRow, int toColumn);
    void onDownPastLastRow();
    void onEscape();
    void onTextRefused();
    // The cursor: a grid position in the dataset's current row.
    void setPosition(int position);
    void followDataset();
    void clamp();
    void storeOrDrop();
    bool entryMode() const { return m_mode == StammeingabeMode::Eingabe; }

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    StammeingabeMode m_mode = StammeingabeMode::Eingabe;
    int m_position = 1;
    int m_quietDataset = 0;     // storing all logs again: the view follows once at the end
    bool m_activatePending = true;
    bool m_activating = false;  // FormActivate gives the grid the focus
    QString m_refusedText;

    QWidget *pnlZusatz = nullptr;
    QLineEdit *edtBeschreibung = nullptr;
    QLineEdit *edtAbteilung = nullptr;
    QLineEdit *edtBaumart = nullptr;
    QLineEdit *edtSorte = nullptr;
    QCheckBox *chkgeschaelt = nullptr;
    QCheckBox *chkgerueckt = nullptr;
    entry::EntryGrid *rxdbgrdDorveingabe = nullptr;
    entry::EntryGridModel *m_model = nullptr;
    QPushButton *btnOK = nullptr;
    QStatusBar *sbInfo = nullptr;
    QLabel *m_sbPanel = nullptr;
};
