#pragma once

#include "controls/ShowHide.h"

#include <QDialog>
#include <QString>

namespace controls {
class DialogService;
class SearchGrid;
}
class QLineEdit;
class QPushButton;
namespace data { class Shell; }
class TDMod;

namespace invoicing {

// Upper-cases the letters a to z only; every other character (umlauts too) stays as typed,
// as the search names are compared with the engine's UPPER.
QString upperAsciiLetters(const QString &text);

} // namespace invoicing

// The match-code search: the user types the beginning of a search name, the list follows every
// keystroke, and the chosen record stays current in the data module's match-code query.
class TFormMatchcode : public QDialog
{
    Q_OBJECT

public:
    TFormMatchcode(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);

    // Cancelling searches for this text, which normally finds nothing.
    static const QString AbbruchText;

    // The search statement of the caller, with one parameter MATCHCODE.
    void setMatchcodeSQL(const QString &sql) { m_matchcodeSql = sql; }
    QString matchcodeSQL() const { return m_matchcodeSql; }

    QLineEdit *edtMatchcode = nullptr;
    controls::SearchGrid *dbGrdMatchcode = nullptr;
    QPushButton *btnUebernehmen = nullptr;
    QPushButton *btnAbbruch = nullptr;

    void FormActivate();
    void edtMatchcodeChange();
    // Keys typed: '\r' Enter, '\x1b' Escape, ' ' Space. A key the handler consumes is set to 0.
    void edtMatchcodeKeyPress(QChar &key);
    void dbGrdMatchcodeKeyPress(QChar &key);
    void dbGrdMatchcodeDblClick();
    void btnUebernehmenClick();
    void btnAbbruchClick();

    void done(int result) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void search();

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    QString m_matchcodeSql;
    bool m_closing = false;
    controls::ShowHide m_showHide{this, [this] { FormActivate(); }};
};
