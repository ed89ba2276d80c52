#include "ListFixtures.h"

#include "data/EldatFactsStore.h"
#include "evaluation/ListExport.h"
#include "support/ExportSamples.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Kind = controls::ScriptedDialogService::Kind;
using values::EldatFacts;
using values::ListHeader;

const QString filters = QStringLiteral("ELDATsmart|*.json|CSV für Tabellenkalkulation|*.csv");

template <class List>
class ListExportOn : public ::testing::Test
{
protected:
    void SetUp() override
    {
        list.addLogs({{12, 34, QStringLiteral("B"), 1.09, QStringLiteral("3a")},
                      {4, 19, QStringLiteral("Cgw"), 0.5, QStringLiteral("1b2")},
                      {5, 9, QStringLiteral("C"), 0.1234, QStringLiteral("0")}});
        list.dialogs.clear();
    }

    QString file(const QString &name) const { return QDir(out.path()).filePath(name); }
    QByteArray contents(const QString &path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void choose(const QString &path, int filter)
    {
        list.dialogs.files.push_back(path);
        list.dialogs.saveFilters.push_back(filter);
    }

    // The export command with the facts dialog answered by the test.
    evaluation::ListExport exporter()
    {
        return evaluation::ListExport(list.dmod(), list.shell(), list.dialogs, [this](const ListHeader &header, const EldatFacts &offered) {
            asked.push_back({header, offered});
            return answer;
        });
    }

    List list;
    QTemporaryDir out;
    std::vector<std::pair<ListHeader, EldatFacts>> asked;
    std::optional<EldatFacts> answer = sampleFacts();
};

using ListExportTest = ListExportOn<ListWindow>;
// The command as the main window's menu runs it.
using ListExportMenuTest = ListExportOn<ListProgram>;

TEST_F(ListExportMenuTest, TheMenuItemWritesACsvOfTheOpenListAndSaysSo)
{
    QAction *item = list.main().menuItem(QStringLiteral("mnuListenExportieren"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("&Exportieren..."));
    EXPECT_EQ(item->parent()->objectName(), QStringLiteral("mnuListen")) << "enabled with the menu Listen";

    choose(file(QStringLiteral("Wald.csv")), 1);
    item->trigger();

    ASSERT_EQ(list.dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(list.dialogs.fileDialogs[0].title, QStringLiteral("Liste exportieren"));
    EXPECT_EQ(list.dialogs.fileDialogs[0].filter, filters);
    EXPECT_TRUE(list.dialogs.fileDialogs[0].folder.endsWith(QStringLiteral("/Wald.json"))) << "the list name is proposed";
    EXPECT_EQ(contents(file(QStringLiteral("Wald.csv"))),
              QByteArray("\xEF\xBB\xBF") + QStringLiteral("Stamm-Nr;Länge;Durchmesser;Durchm. eff;Güteklasse;Volumen;Stärkeklasse\r\n"
                                                          "1;12;36;34;B;1,09;3a\r\n2;4;21;19;Cgw;0,5;1b2\r\n3;5;11;9;C;0,1234;0\r\n")
                                                   .toUtf8());
    EXPECT_EQ(list.dialogs.textsOf(Kind::Information),
              QStringList{QStringLiteral("3 Stämme wurden in die Datei\n%1\ngeschrieben.").arg(QDir::toNativeSeparators(file(QStringLiteral("Wald.csv"))))});
    EXPECT_TRUE(list.dialogs.textsOf(Kind::Error).isEmpty());

    // The next export starts in the same folder with the same format.
    list.dialogs.clear();
    item->trigger();
    ASSERT_EQ(list.dialogs.fileDialogs.size(), 2u);
    EXPECT_EQ(list.dialogs.fileDialogs[1].folder, file(QStringLiteral("Wald.csv")));
    EXPECT_EQ(list.dialogs.fileDialogs[1].chosenFilter, 1);
    EXPECT_TRUE(list.dialogs.messages.empty()) << "cancelled: nothing said";
}

TEST_F(ListExportTest, TheFormatFollowsATypedExtensionElseTheFilter)
{
    auto command = exporter();
    choose(file(QStringLiteral("liste.csv")), 0);
    choose(file(QStringLiteral("ohne")), 1);
    command.ListeExportieren();
    command.ListeExportieren();
    EXPECT_TRUE(contents(file(QStringLiteral("liste.csv"))).startsWith("\xEF\xBB\xBF" "Stamm-Nr;"));
    EXPECT_TRUE(contents(file(QStringLiteral("ohne.csv"))).startsWith("\xEF\xBB\xBF" "Stamm-Nr;")) << "the filter's extension is added";
    EXPECT_TRUE(asked.empty());
}

TEST_F(ListExportMenuTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothing)
{
    const QString path = file(QStringLiteral("fehlt/Wald.csv"));
    choose(path, 1);
    list.main().mnuListenExportierenClick();
    const QStringList errors = list.dialogs.textsOf(Kind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Die Datei %1 konnte nicht geschrieben werden: ").arg(QDir::toNativeSeparators(path))))
        << errors[0].toStdString();
    EXPECT_TRUE(list.dialogs.textsOf(Kind::Information).isEmpty());
    EXPECT_TRUE(QDir(out.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(ListExportTest, AnEldatExportAsksForTheFactsKeepsThemAndOffersThemAgain)
{
    auto command = exporter();
    choose(file(QStringLiteral("Wald.json")), 0);
    command.ListeExportieren();

    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first.species, QStringLiteral("Fichte"));
    EXPECT_EQ(asked[0].second.species, QStringLiteral("fi")) << "suggested by the Baumart";
    EXPECT_EQ(asked[0].second.grade, QStringLiteral("st"));
    EXPECT_EQ(asked[0].second.fellingDate, QDate::currentDate());
    EXPECT_TRUE(asked[0].second.pileNumber.isEmpty());
    EXPECT_EQ(list.dialogs.textsOf(Kind::Information),
              QStringList{QStringLiteral("3 Stämme wurden in die Datei\n%1\ngeschrieben.").arg(QDir::toNativeSeparators(file(QStringLiteral("Wald.json"))))});
    const QJsonObject first = QJsonDocument::fromJson(contents(file(QStringLiteral("Wald.json")))).object();
    const QJsonObject pile = first[QStringLiteral("document")][QStringLiteral("eldat")][QStringLiteral("wood_allocation")][QStringLiteral("wood_data")]
                                  [QStringLiteral("allocated_pile")][0].toObject();
    EXPECT_EQ(pile[QStringLiteral("wood_id")][0][QStringLiteral("wood_id_no")].toString(), QStringLiteral("P-17"));
    const QJsonArray logs = pile[QStringLiteral("forest_measured")][QStringLiteral("measurement_type_single_log")][QStringLiteral("log")].toArray();
    ASSERT_EQ(logs.size(), 3);
    EXPECT_EQ(logs[2][QStringLiteral("amount")][QStringLiteral("amount_value")].toDouble(), 0.1234);
    EXPECT_EQ(pile[QStringLiteral("product_data")][0][QStringLiteral("amount")][QStringLiteral("amount_value")].toDouble(), 1.7134);

    const auto stored = data::loadEldatFacts(list.dmod().dbDorv, QStringLiteral("Wald"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->pileNumber, QStringLiteral("P-17"));
    EXPECT_FALSE(stored->processId.isEmpty());

    // Offered again, and the second document belongs to the same process.
    choose(file(QStringLiteral("Wald2.json")), 0);
    command.ListeExportieren();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].second.pileNumber, QStringLiteral("P-17"));
    EXPECT_EQ(asked[1].second.latitude, 49.8686);
    const QJsonObject second = QJsonDocument::fromJson(contents(file(QStringLiteral("Wald2.json")))).object();
    const auto meta = [](const QJsonObject &doc, const char *key) {
        return doc[QStringLiteral("document")][QStringLiteral("meta")][QString::fromLatin1(key)].toString();
    };
    EXPECT_EQ(meta(second, "process_id"), meta(first, "process_id"));
    EXPECT_EQ(meta(first, "process_id"), stored->processId);
    EXPECT_NE(meta(second, "transaction_id"), meta(first, "transaction_id"));
    // The mill's answer names the module id: every document of the list carries the same.
    EXPECT_EQ(meta(second, "module_id"), meta(first, "module_id"));
    EXPECT_EQ(meta(first, "module_id"), stored->moduleId);
    EXPECT_NE(stored->moduleId, stored->processId);
}

TEST_F(ListExportTest, ACancelledOrRefusedEldatExportWritesAndStoresNothing)
{
    auto command = exporter();
    answer.reset();
    choose(file(QStringLiteral("Wald.json")), 0);
    command.ListeExportieren();
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_TRUE(list.dialogs.messages.empty());
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("Wald.json"))));
    EXPECT_FALSE(data::loadEldatFacts(list.dmod().dbDorv, QStringLiteral("Wald")));

    list.dmod().dbDorv.execute(QStringLiteral("UPDATE Firma SET Telefon = '', EMail = 'info'"));
    list.dmod().qryFirma.refresh();
    choose(file(QStringLiteral("Wald.json")), 0);
    command.ListeExportieren();
    EXPECT_EQ(asked.size(), 1u) << "refused before the facts are asked for";
    EXPECT_EQ(list.dialogs.textsOf(Kind::Error),
              QStringList{QStringLiteral("Für ELDATsmart fehlen oder passen nicht in den Firmendaten (Stammdaten → Firma):\n"
                                         "– Telefon fehlt\n– E-Mail „info“ ungültig")});
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("Wald.json"))));
}

TEST_F(ListExportTest, AnIbanWithAWrongCheckSumIsRefusedAsTheInvoiceRefusesIt)
{
    auto command = exporter();
    // The form of an IBAN, one digit wrong: only the check sum finds it.
    list.dmod().dbDorv.execute(QStringLiteral("UPDATE Firma SET IBAN = 'DE89 3704 0044 0532 0130 01'"));
    list.dmod().qryFirma.refresh();
    choose(file(QStringLiteral("Wald.json")), 0);
    command.ListeExportieren();
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(list.dialogs.textsOf(Kind::Error),
              QStringList{QStringLiteral("Für ELDATsmart fehlen oder passen nicht in den Firmendaten (Stammdaten → Firma):\n"
                                         "– IBAN „DE89370400440532013001“ ungültig")});
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("Wald.json"))));

    list.dialogs.clear();
    list.dmod().dbDorv.execute(QStringLiteral("UPDATE Firma SET IBAN = 'DE89 3704 0044 0532 0130 00'"));
    list.dmod().qryFirma.refresh();
    choose(file(QStringLiteral("Wald.json")), 0);
    command.ListeExportieren();
    EXPECT_TRUE(list.dialogs.textsOf(Kind::Error).isEmpty());
    EXPECT_TRUE(QFile::exists(file(QStringLiteral("Wald.json"))));
}

} // namespace
