// List names go unquoted into the program's statements. Every keyword of the SQL engine is
// refused as a name; names that pass, even those that read like SQL, work in every statement
// that names the list: creating, entering, renumbering, storing all logs again, the evaluation
// queries, the invoice lines, importing and deleting.
#include "ProgramFixture.h"

#include "rules/ListNames.h"
#include "support/DataFolder.h"
#include "support/LegacyFiles.h"
#include "entry/StoreAllLogs.h"
#include "import/ListImporter.h"
#include "invoicing/Arbeitspreise.h"

#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

const QString identifierText =
    QStringLiteral("Der Listenname darf nur Buchstaben, Ziffern und _ enthalten und muss mit einem Buchstaben beginnen!");

TEST(ListNameKeywordsTest, EveryKeywordOfTheEngineIsRefusedInAnyCase)
{
    DataFolder folder;
    const int count = sqlite3_keyword_count();
    ASSERT_GT(count, 100);
    for (int i = 0; i < count; ++i) {
        const char *word = nullptr;
        int length = 0;
        ASSERT_EQ(sqlite3_keyword_name(i, &word, &length), SQLITE_OK);
        const QString keyword = QString::fromLatin1(word, length);
        for (const QString &name : {keyword, keyword.toLower(), keyword.left(1) + keyword.mid(1).toLower()}) {
            const auto refusal = rules::checkNewListName(name, folder.path());
            ASSERT_TRUE(refusal) << name.toStdString();
            EXPECT_EQ(refusal->rule, rules::ListNameRefusal::Rule::Identifier) << name.toStdString();
            EXPECT_EQ(refusal->text, identifierText);
        }
    }
    for (const char *name : {"Cast_1", "Casting", "Raise2", "Aktuell", "CURRENT_DAY"})
        EXPECT_FALSE(rules::checkNewListName(QString::fromLatin1(name), folder.path())) << name;
}

using ListNameStatementsTest = ProgramTest;

TEST_F(ListNameStatementsTest, KeywordsAreRefusedByNewListAndImport)
{
    QTemporaryDir old;
    const QString file = legacyfiles::write(old.path(), QStringLiteral("Cast.dvz"), legacyfiles::record(1, 10, 30, "B", "0,5", "2b"));
    for (const char *name : {"CAST", "RAISE", "CURRENT_DATE", "Current_Time", "current_timestamp"}) {
        dialogs.clear();
        createList(QString::fromLatin1(name));
        EXPECT_EQ(dialogs.texts(), QStringList{identifierText}) << name;
        dialogs.clear();
        EXPECT_FALSE(importing::ImportPruefen(dmod().dbDorv, dialogs, folder.dataPath(), file, QString::fromLatin1(name)));
        EXPECT_EQ(dialogs.texts(), QStringList{identifierText}) << name;
    }
    EXPECT_TRUE(main().currentListName().isEmpty());
}

TEST_F(ListNameStatementsTest, NamesThatReadLikeSqlWorkInEveryStatement)
{
    // The working prices the invoice lines are priced from.
    dmod().dbDorv.execute(QStringLiteral("DELETE FROM Preise"));
    dmod().dbDorv.execute(invoicing::Arbeitspreise::PreiseFuellenSql);
    QTemporaryDir old;
    const QString legacyFile = legacyfiles::write(old.path(), QStringLiteral("alt.dvz"),
                                                  legacyfiles::record(1, 10, 30, "B", "0,5", "2b")
                                                      + legacyfiles::record(2, 12, 44, "C", "1,25", "3b"));

    for (const char *plain : {"main", "Summe", "Menge", "GesVol", "Volumen", "ID", "count", "sum", "max", "upper", "true",
                              "rowid", "oid", "date", "Preis", "t_Preise", "GUETEKLASSE"}) {
        const QString name = QString::fromLatin1(plain);
        SCOPED_TRACE(plain);
        dialogs.clear();
        createList(name);
        ASSERT_EQ(main().currentListName(), name) << dialogs.texts().join(u'|').toStdString();

        // Two logs through the log query: numbered, computed and stored by its record events.
        data::Dataset &logs = dmod().qryDorvTabelle;
        for (int durchmesser : {31, 44}) {
            logs.append();
            logs.setValue(QStringLiteral("LAENGE"), 12);
            logs.setValue(QStringLiteral("DURCHMEIN"), durchmesser);
            logs.setValue(QStringLiteral("GUETEKLASSE"), QStringLiteral("1"));
            logs.post();
        }
        entry::storeAllLogsForGeschaelt(dmod().dbDorv, logs, name, true);
        logs.first();
        dmod().deleteCurrentLog();
        logs.append();
        logs.setValue(QStringLiteral("LAENGE"), 8);
        logs.setValue(QStringLiteral("DURCHMEIN"), 25);
        logs.post();

        main().SQLVorbereiten();
        main().FuelleStatusBar(true);
        EXPECT_EQ(main().statusPanelText(0), QStringLiteral("Anzahl Stämme: 2"));
        EXPECT_EQ(dmod().qryZusammenfasssung.recordCount(), 2);
        EXPECT_FALSE(dmod().qryGewogeneLaenge.value(QStringLiteral("GewLaenge")).isNull());

        invoicing::RechnungAufbauen(dmod(), name);
        EXPECT_EQ(dmod().qryRechnung.recordCount(), 2);

        const auto closeAndDelete = [&] {
            main().mnuDateiSchliessenClick();
            formLaden().FormActivate();
            ASSERT_TRUE(formLaden().selectList(name));
            dialogs.answers = {true};
            formLaden().btnLoeschenClick();
            EXPECT_FALSE(tableFileExists(name.toLower()));
        };
        closeAndDelete();

        ASSERT_TRUE(importing::ImportPruefen(dmod().dbDorv, dialogs, folder.dataPath(), legacyFile, name));
        importing::ListeImportieren(dmod().dbDorv, legacyFile, name);
        openList(name);
        EXPECT_EQ(dmod().qryDorvTabelle.recordCount(), 2);
        closeAndDelete();

        const QString question = QStringLiteral("Datei ") + name + QStringLiteral(" löschen?");
        EXPECT_EQ(dialogs.texts(), (QStringList{question, question})) << "no error";
    }
}

} // namespace
