// The log entry window as a whole: opening, the header, geschält, the two modes, closing.
#include "EntryWindowFixture.h"

#include <algorithm>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <sqlite3.h>

namespace {

using WindowTest = EntryWindowTest;
using WindowProgramTest = EntryProgramTest;

TestLog log(int id, int laenge, int durchmein, int durchmeff, const char *guete, double volumen, const char *staerke)
{
    return {id, laenge, durchmein, durchmeff, QString::fromLatin1(guete), volumen, QString::fromLatin1(staerke)};
}

TEST_F(WindowTest, GeschaeltStoresEveryLogAgainAndMovesTheDiameterLimit)
{
    TestHeader header;
    header.geschaelt = true;
    createList(header, {log(1, 10, 40, 40, "2", 1.26, "4"), log(2, 10, 20, 20, "B", 0.31, "2a"), log(3, 12, 30, 30, "C", 0.85, "3a")});
    show();
    QCheckBox &box = control<QCheckBox>("chkgeschaelt");
    ASSERT_TRUE(box.isChecked());
    EXPECT_EQ(form().MaxDurchmesser, 59);

    QTest::mouseClick(&box, Qt::LeftButton);
    settle();
    ASSERT_FALSE(box.isChecked());
    std::vector<TestLog> logs = storedLogs();
    ASSERT_EQ(logs.size(), 3u) << "the untouched new row is not stored";
    EXPECT_EQ(logs[0].durchmeff, 38);
    EXPECT_DOUBLE_EQ(logs[0].volumen, 1.13);
    EXPECT_EQ(logs[0].staerkeklasse, QStringLiteral("3b"));
    EXPECT_EQ(logs[0].gueteklasse, QStringLiteral("C")) << "the quality is converted as well";
    EXPECT_EQ(logs[1].durchmeff, 19);
    EXPECT_EQ(logs[2].durchmeff, 28);
    EXPECT_EQ(dmod().qryDorvTabelle.recNo(), 2) << "the cursor ends on the last log";
    EXPECT_EQ(cursorRow(), 2);
    EXPECT_EQ(form().MaxDurchmesser, 61);
    EXPECT_FALSE(form().GeschaeltZuletzt);

    QTest::mouseClick(&box, Qt::LeftButton);
    settle();
    logs = storedLogs();
    EXPECT_EQ(logs[0].durchmeff, 40);
    EXPECT_DOUBLE_EQ(logs[0].volumen, 1.26);
    EXPECT_EQ(logs[0].staerkeklasse, QStringLiteral("4"));
    EXPECT_EQ(form().MaxDurchmesser, 59);
    EXPECT_TRUE(errors().isEmpty()) << errors().join(u'\n').toStdString();
}

TEST_F(WindowTest, OpeningAListWhoseGeschaeltDiffersStoresItsLogsForTheListsState)
{
    TestHeader header;
    header.geschaelt = true;
    createList(header, {log(1, 10, 40, 38, "B", 1.13, "3b")});
    {
        // As after a list without geschält was shown before.
        QCheckBox &box = control<QCheckBox>("chkgeschaelt");
        const QSignalBlocker block(box);
        box.setChecked(false);
        form().GeschaeltZuletzt = false;
    }
    show();
    EXPECT_EQ(storedLogs()[0].durchmeff, 40);
    EXPECT_TRUE(form().GeschaeltZuletzt);
}

TEST_F(WindowTest, StoringAgainIsAllOrNothing)
{
    createList(TestHeader{}, someLogs(5));
    // A log the engine refuses to store: the third of five.
    {
        sqlite3 *raw = nullptr;
        ASSERT_EQ(sqlite3_open((folder.dataPath() + QStringLiteral("wald.db")).toUtf8().constData(), &raw), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(raw, "CREATE TRIGGER gesperrt BEFORE UPDATE ON Wald WHEN NEW.ID = 3 BEGIN SELECT RAISE(ABORT, 'Stamm 3 gesperrt'); END",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(raw);
    }
    const std::vector<TestLog> before = storedLogs();
    show();
    QCheckBox &box = control<QCheckBox>("chkgeschaelt");
    QTest::mouseClick(&box, Qt::LeftButton);
    settle();
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors().front().contains(QStringLiteral("Stamm 3 gesperrt"))) << errors().front().toStdString();
    const std::vector<TestLog> after = storedLogs();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].durchmeff, before[i].durchmeff) << "log " << i + 1 << " is as it was";
    EXPECT_FALSE(box.isChecked()) << "the box shows the state the logs are stored for";
    EXPECT_FALSE(form().GeschaeltZuletzt);
    EXPECT_EQ(form().MaxDurchmesser, 61);
    EXPECT_EQ(grid().model()->index(4, col::DurchmEff).data().toString(), QString::number(before.back().durchmeff))
        << "the grid shows what is stored";
}

TEST_F(WindowTest, EmptyHeaderFieldGetsTheFocusAndNoRowIsBegun)
{
    TestHeader header;
    header.abteilung.clear();
    createList(header, someLogs(2));
    show();
    EXPECT_EQ(QApplication::focusWidget(), &control<QLineEdit>("edtAbteilung"));
    EXPECT_EQ(status(), QStringLiteral("Info: Bitte die Abteilung eingeben"));
    EXPECT_EQ(dmod().qryDorvTabelle.state(), data::DatasetState::Browse);
    EXPECT_EQ(dmod().qryDorvTabelle.recordCount(), 2);
    EXPECT_EQ(dmod().qryDorvTabelle.recNo(), 1) << "on the last log";
    EXPECT_EQ(control<QLineEdit>("edtBeschreibung").text(), header.beschreibung);
    EXPECT_EQ(control<QLineEdit>("edtBaumart").text(), header.baumart);

    // Tab goes through the header into the grid, which then shows the length hint.
    QTest::keyClicks(focus(), QStringLiteral("7b"));
    for (int i = 0; i < 5; ++i)
        key(Qt::Key_Tab);
    EXPECT_EQ(focus(), &grid());
    EXPECT_EQ(status(), QStringLiteral("Info: Bitte die Länge des Stammes eingeben (01-39)"));
}

TEST_F(WindowTest, OverviewIsReadOnlyAndClosingStillWritesTheHeader)
{
    createList(TestHeader{}, someLogs(3));
    show(StammeingabeMode::Uebersicht);
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Stammübersicht"));
    EXPECT_FALSE(control<QWidget>("pnlZusatz").isEnabled());
    EXPECT_FALSE(grid().verticalHeader()->isVisible()) << "no row indicator";
    EXPECT_EQ(grid().selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(dmod().qryDorvTabelle.recordCount(), 3) << "no new row";

    type(QStringLiteral("9"));
    enter();
    EXPECT_EQ(storedLogs()[2].laenge, 10);
    EXPECT_FALSE(grid().model()->flags(grid().model()->index(0, col::Laenge)) & Qt::ItemIsEditable);
    // The rules act on the column the cursor is in.
    clickCell(0, col::Durchmesser);
    EXPECT_EQ(cursorColumn(), col::Durchmesser);
    EXPECT_EQ(status(), QStringLiteral("Info: Bitte den Durchmesser des Stammes eingeben (01-61)"));

    // Deleting asks here too: a single key press must not lose a log while looking at the list.
    dialogs.answers = {false};
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs.textsOf(controls::ScriptedDialogService::Kind::Confirmation), QStringList{QStringLiteral("Delete record?")});
    EXPECT_EQ(storedLogs().size(), 3u);

    dmod().dbDorv.execute(QStringLiteral("UPDATE DORVZUSATZ SET ABTEILUNG = 'anders'"));
    form().close();
    EXPECT_EQ(storedHeader().at(1), QStringLiteral("12a"));
    EXPECT_EQ(storedLogs().size(), 3u);

    // Entry mode again: editable, with the indicator.
    show(StammeingabeMode::Eingabe);
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Stammeingabe"));
    EXPECT_TRUE(control<QWidget>("pnlZusatz").isEnabled());
    EXPECT_TRUE(grid().verticalHeader()->isVisible());
    EXPECT_EQ(dmod().qryDorvTabelle.state(), data::DatasetState::Insert);
}

TEST_F(WindowProgramTest, TitleBarCloseWritesTheHeaderAndOkAlsoRefreshesTheMainWindow)
{
    createList(TestHeader{});
    show();
    QLineEdit &sorte = control<QLineEdit>("edtSorte");
    type(QStringLiteral("12"));
    enter();
    type(QStringLiteral("35"));
    enter();
    enter();
    QTest::mouseClick(&sorte, Qt::LeftButton);
    sorte.selectAll();
    type(QStringLiteral("Kurzholz"));
    QTest::mouseClick(&control<QCheckBox>("chkgerueckt"), Qt::LeftButton);
    settle();

    form().close();
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(storedHeader(),
              (QStringList{QStringLiteral("Hieb 2024"), QStringLiteral("12a"), QStringLiteral("Fichte"), QStringLiteral("Kurzholz"),
                           QStringLiteral("0"), QStringLiteral("1")}));
    EXPECT_EQ(program.FormDorv().statusPanelText(0), QStringLiteral("Anzahl Stämme: 0")) << "not refreshed";

    show();
    QTest::mouseClick(&control<QPushButton>("btnOK"), Qt::LeftButton);
    settle();
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(program.FormDorv().statusPanelText(0), QStringLiteral("Anzahl Stämme: 1"));
    EXPECT_EQ(program.FormDorv().statusPanelText(1), QStringLiteral("Summe FM: 1,03"));
    EXPECT_EQ(storedLogs().size(), 1u) << "the untouched new row was dropped";
    EXPECT_TRUE(errors().isEmpty()) << errors().join(u'\n').toStdString();
}

TEST_F(WindowTest, StatusBarKinds)
{
    createList(TestHeader{});
    EXPECT_EQ(form().statusText(), QStringLiteral("Info:"));
    form().MeldungAnzeigen(QStringLiteral("a"), 2);
    EXPECT_EQ(form().statusText(), QStringLiteral("Achtung: a"));
    EXPECT_EQ(dialogs.beeps, 1);
    form().MeldungAnzeigen(QStringLiteral("b"), 4);
    EXPECT_EQ(form().statusText(), QStringLiteral("Achtung: a"));
    form().MeldungAnzeigen(QString(), 1);
    EXPECT_EQ(form().statusText(), QStringLiteral("Info: "));
    EXPECT_EQ(dialogs.beeps, 1);
}

} // namespace

namespace {

using LayoutTest = EntryWindowTest;

// What the user sees of the header and the grid, in both modes: the grid's columns keep their
// titles, widths and alignment when the mode changes.
TEST_F(LayoutTest, HeaderFieldsAndGridColumnsInBothModes)
{
    createList(TestHeader{}, someLogs(1));
    const struct
    {
        const char *edit;
        const char *label;
        int maxLength;
    } fields[] = {{"edtBeschreibung", "&Beschreibung:", 100},
                  {"edtAbteilung", "&Abteilung:", 50},
                  {"edtBaumart", "Bau&mart:", 50},
                  {"edtSorte", "&Sorte:", 50}};
    for (const auto &f : fields) {
        QLineEdit &edit = control<QLineEdit>(f.edit);
        EXPECT_EQ(edit.maxLength(), f.maxLength) << f.edit;
        const QList<QLabel *> labels = form().findChildren<QLabel *>();
        const auto it = std::find_if(labels.begin(), labels.end(), [&](QLabel *l) { return l->buddy() == &edit; });
        ASSERT_NE(it, labels.end()) << f.edit;
        EXPECT_EQ((*it)->text(), QString::fromUtf8(f.label));
    }
    EXPECT_EQ(control<QCheckBox>("chkgeschaelt").text(), QStringLiteral("&geschält"));
    EXPECT_EQ(control<QCheckBox>("chkgerueckt").text(), QStringLiteral("ge&rückt"));

    const struct
    {
        const char *title;
        int width;
        bool titleRight;
        bool computed;
    } columns[] = {{"Stamm-Nr", 50, false, true},    {"Länge", 75, false, false},       {"Durchmesser", 75, true, false},
                   {"Durchm. eff", 75, true, true},  {"Güteklasse", 60, false, false},  {"Volumen", 50, false, true},
                   {"Stärkeklasse", 75, false, true}};
    for (StammeingabeMode mode : {StammeingabeMode::Eingabe, StammeingabeMode::Uebersicht, StammeingabeMode::Eingabe}) {
        show(mode);
        const QAbstractItemModel &model = *grid().model();
        ASSERT_EQ(model.columnCount(), 7);
        for (int c = 0; c < 7; ++c) {
            const auto &expected = columns[c];
            EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(expected.title));
            // At least the designed width; wider where the title would not fit the font.
            EXPECT_GE(grid().horizontalHeader()->sectionSize(c), expected.width) << expected.title;
            const auto titleAlign = model.headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
            EXPECT_EQ(bool(titleAlign & Qt::AlignRight), expected.titleRight) << expected.title;
            EXPECT_EQ(model.index(0, c).data(Qt::BackgroundRole).isValid(), expected.computed) << expected.title;
        }
        for (int c : {col::Gueteklasse, col::Staerkeklasse})
            EXPECT_TRUE(model.index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight) << c;
        if (mode == StammeingabeMode::Eingabe) {
            // Tab runs through the header in its order, then the grid and OK.
            control<QLineEdit>("edtBeschreibung").setFocus();
            for (const char *next : {"edtAbteilung", "edtBaumart", "edtSorte", "chkgeschaelt", "chkgerueckt",
                                     "rxdbgrdDorveingabe", "btnOK"}) {
                key(Qt::Key_Tab);
                EXPECT_EQ(focus()->objectName(), QString::fromLatin1(next));
            }
        }
        form().close();
    }
}

} // namespace
