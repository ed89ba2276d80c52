#pragma once

#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "entry/FormStammeingabe.h"
#include "support/ProgramFolder.h"
#include "support/WindowBed.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

// A log as the tests write and read it.
struct TestLog
{
    int id = 0;
    int laenge = 0;
    int durchmein = 0;
    int durchmeff = 0;
    QString gueteklasse;
    double volumen = 0;
    QString staerkeklasse;
};

struct TestHeader
{
    QString beschreibung = QStringLiteral("Hieb 2024");
    QString abteilung = QStringLiteral("12a");
    QString baumart = QStringLiteral("Fichte");
    QString sorte = QStringLiteral("Langholz");
    bool geschaelt = false;
    bool gerueckt = false;
};

// The log entry window on a temporary program folder, with one list "Wald" open, driven by
// keys and mouse clicks. The surroundings come from the fixtures below.
class EntryWindowDriver : public ::testing::Test
{
protected:
    static inline const QString list = QStringLiteral("Wald");

    EntryWindowDriver() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void TearDown() override
    {
        if (form().isVisible())
            form().hide();
    }

    virtual TDMod &dmod() = 0;
    virtual data::Shell &shell() = 0;
    virtual TFormStammeingabe &form() = 0;
    QTableView &grid() { return *form().findChild<QTableView *>(QStringLiteral("rxdbgrdDorveingabe")); }
    template <typename T>
    T &control(const char *name)
    {
        T *w = form().findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return *w;
    }

    // Creates the list with its header row and logs and makes it the current list.
    void createList(const TestHeader &header, const std::vector<TestLog> &logs = {});
    // Creates logs 1..n with length 10 and measured diameters 20, 21, ...
    std::vector<TestLog> someLogs(int n) const;
    void show(StammeingabeMode mode = StammeingabeMode::Eingabe);

    QWidget *focus();
    void type(const QString &asciiText);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void enter() { key(Qt::Key_Return); }
    void clickCell(int row, int column);
    void settle() { QCoreApplication::processEvents(); }

    std::vector<TestLog> storedLogs();
    QStringList storedHeader();
    // The grid position of the cursor's view column (position 0 is the indicator).
    int cursorColumn() { return grid().currentIndex().column(); }
    int cursorRow() { return grid().currentIndex().row(); }
    QString status() { return form().statusText(); }
    QStringList errors() { return dialogs.textsOf(controls::ScriptedDialogService::Kind::Error); }

    controls::ScriptedDialogService dialogs;
};

// The entry window with the data module and a stand-in for the main window.
class EntryWindowTest : public EntryWindowDriver
{
protected:
    EntryWindowTest() { bed.dmod.setLogRowRules(&m_form); }

    TDMod &dmod() override { return bed.dmod; }
    data::Shell &shell() override { return bed.shell; }
    TFormStammeingabe &form() override { return m_form; }

    WindowBed bed{dialogs};
    const ProgramFolder &folder = bed.folder;

private:
    TFormStammeingabe m_form{bed.dmod, bed.shell, dialogs, &bed.mainWindow};
};

// The whole program, for what the main window shows after the entry window's work.
class EntryProgramTest : public EntryWindowDriver
{
protected:
    TDMod &dmod() override { return program.DMod(); }
    data::Shell &shell() override { return program.FormDorv(); }
    TFormStammeingabe &form() override { return *program.windows().FormStammeingabe; }

    ProgramFolder folder;
    app::DorvProgram program{dialogs, folder.path()};
};

// View columns of the grid.
namespace col {
inline constexpr int StammNr = 0;
inline constexpr int Laenge = 1;
inline constexpr int Durchmesser = 2;
inline constexpr int DurchmEff = 3;
inline constexpr int Gueteklasse = 4;
inline constexpr int Volumen = 5;
inline constexpr int Staerkeklasse = 6;
} // namespace col
