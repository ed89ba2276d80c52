#include "export/EldatChecks.h"
#include "export/EldatCodes.h"
#include "export/FactsOffer.h"
#include "support/ExportSamples.h"

#include <gtest/gtest.h>

using namespace exporting;
using values::EldatFacts;
using values::ListHeader;

TEST(EldatCodes, SpeciesAreFoundByTheirGermanNamesInAnySpelling)
{
    EXPECT_EQ(speciesCode(QStringLiteral("Fichte")), QStringLiteral("fi"));
    EXPECT_EQ(speciesCode(QStringLiteral("FICHTE")), QStringLiteral("fi"));
    EXPECT_EQ(speciesCode(QStringLiteral("  fichte ")), QStringLiteral("fi"));
    EXPECT_EQ(speciesCode(QStringLiteral("Kiefer")), QStringLiteral("kie"));
    EXPECT_EQ(speciesCode(QStringLiteral("Lärche")), QStringLiteral("la"));
    EXPECT_EQ(speciesCode(QStringLiteral("LAERCHE")), QStringLiteral("la"));
    EXPECT_EQ(speciesCode(QStringLiteral("Douglasie")), QStringLiteral("dgl"));
    EXPECT_EQ(speciesCode(QStringLiteral("Rotbuche")), QStringLiteral("bu"));
    EXPECT_EQ(speciesCode(QStringLiteral("Weißbuche")), QStringLiteral("hbu")) << "a hornbeam, not a beech";
    EXPECT_EQ(speciesCode(QStringLiteral("Europäische Lärche")), QStringLiteral("ela"));
    EXPECT_EQ(speciesCode(QStringLiteral("Fi/Ta")), QStringLiteral("fita"));
    EXPECT_EQ(speciesCode(QStringLiteral("DGL")), QStringLiteral("dgl")) << "a code typed as Baumart";
    EXPECT_EQ(speciesCode(QStringLiteral("Mahagoni")), QString());
    EXPECT_EQ(speciesCode(QString()), QString());
    for (const char *name : {"Fichte", "Kiefer", "Tanne", "Douglasie", "Lärche", "Buche", "Eiche", "Esche", "Ahorn",
                             "Birke", "Erle", "Pappel"})
        EXPECT_EQ(speciesName(speciesCode(QString::fromUtf8(name))), QString::fromUtf8(name)) << name;
}

TEST(EldatCodes, DiameterAndQualityClassesMapOntoTheFormatsCodes)
{
    const std::pair<const char *, const char *> classes[] = {{"0", "d0"},    {"1a", "d1a"}, {"1b1", "d1b"}, {"1b2", "d1b"},
                                                             {"2a", "d2a"},  {"2b", "d2b"}, {"3a", "d3a"},  {"3b", "d3b"},
                                                             {"4", "d4"},    {"5", "d5"},   {"6", ""},      {"", ""}};
    for (const auto &[dorv, eldat] : classes)
        EXPECT_EQ(thicknessClass(QString::fromLatin1(dorv)), QString::fromLatin1(eldat)) << dorv;

    EXPECT_EQ(eldatQuality(QStringLiteral("B")), (EldatQuality{QStringLiteral("b"), {}}));
    EXPECT_EQ(eldatQuality(QStringLiteral("C")), (EldatQuality{QStringLiteral("c"), {}}));
    EXPECT_EQ(eldatQuality(QStringLiteral("Cgw")), (EldatQuality{QStringLiteral("c"), QStringLiteral("gw")}));
    EXPECT_EQ(eldatQuality(QStringLiteral("CGW")), (EldatQuality{QStringLiteral("c"), QStringLiteral("gw")}));
    EXPECT_EQ(eldatQuality(QStringLiteral("x")), (EldatQuality{QStringLiteral("o"), QStringLiteral("x")}))
        << "a quality typed but not recognised stays visible";
    EXPECT_EQ(eldatQuality(QString()), EldatQuality{});
}

TEST(EldatCodes, TheSorteSuggestsGradeAndUse)
{
    EXPECT_EQ(proposedGrade(QStringLiteral("Langholz")), QStringLiteral("st"));
    EXPECT_EQ(proposedGrade(QStringLiteral("Abschnitte")), QStringLiteral("fl"));
    EXPECT_EQ(proposedGrade(QStringLiteral("Industrieholz kurz")), QStringLiteral("is"));
    EXPECT_EQ(proposedUse(QStringLiteral("Stammholz")), QStringLiteral("sg"));
    EXPECT_EQ(proposedUse(QStringLiteral("Furnier")), QStringLiteral("f"));
    EXPECT_EQ(proposedUse(QStringLiteral("Brennholz")), QStringLiteral("eh"));
}

TEST(EldatChecks, CoordinatesTakeDecimalCommaOrPointWithinTheirRange)
{
    const auto value = [](const char *text, Axis axis = Axis::Latitude) {
        return checkCoordinate(QString::fromUtf8(text), axis).value;
    };
    EXPECT_EQ(value("49,8686"), 49.8686);
    EXPECT_EQ(value("49.8686"), 49.8686);
    EXPECT_EQ(value(" -33,5 "), -33.5);
    EXPECT_EQ(value("+8,91°", Axis::Longitude), 8.91);
    EXPECT_EQ(value("90"), 90.0);
    EXPECT_EQ(value("-180", Axis::Longitude), -180.0);
    EXPECT_EQ(value("180,0001", Axis::Longitude), std::nullopt);
    EXPECT_EQ(value("90,5"), std::nullopt);
    EXPECT_EQ(value("120", Axis::Longitude), 120.0) << "a longitude may exceed 90";
    for (const char *bad : {"", "  ", "abc", "49,868,6", "49.868,6", "1.234,5", "49°52'", "4 9", "49,", ",5"})
        EXPECT_EQ(value(bad), std::nullopt) << bad;

    EXPECT_EQ(checkCoordinate(QString(), Axis::Latitude).message,
              QStringLiteral("Bitte den Breitengrad des Polters eingeben (Dezimalgrad WGS 84, z. B. 49,8686)."));
    EXPECT_EQ(checkCoordinate(QStringLiteral("49,868,6"), Axis::Latitude).message,
              QStringLiteral("„49,868,6“ ist kein gültiger Breitengrad. Bitte in Dezimalgrad mit Komma oder Punkt eingeben, "
                             "z. B. 49,8686."));
    EXPECT_EQ(checkCoordinate(QStringLiteral("200"), Axis::Longitude).message,
              QStringLiteral("Der Längengrad muss zwischen -180 und 180 liegen."));
    EXPECT_EQ(coordinateText(49.8686), QStringLiteral("49,8686"));
}

TEST(EldatChecks, CompanyDataIsBroughtIntoTheFormatsFormsAndWhatIsMissingIsNamed)
{
    values::Seller typed;
    typed.company = QStringLiteral("Forstbetrieb Muster");
    typed.street = QStringLiteral("Waldweg 1");
    typed.postcode = QStringLiteral("D-12345");
    typed.city = QStringLiteral("Musterstadt");
    typed.country = QStringLiteral("d");
    typed.phone = QStringLiteral("+49 (0)1234 567-89");
    typed.email = QStringLiteral(" info@forst-muster.de ");
    typed.iban = QStringLiteral("de02 1203 0000 0000 2020 51");
    const values::Seller c = eldatCompany(typed);
    EXPECT_EQ(c.postcode, QStringLiteral("12345"));
    EXPECT_EQ(c.country, QStringLiteral("DE"));
    EXPECT_EQ(c.phone, QStringLiteral("+49 1234 567-89"));
    EXPECT_EQ(c.email, QStringLiteral("info@forst-muster.de"));
    EXPECT_EQ(c.iban, QStringLiteral("DE02120300000000202051"));
    EXPECT_TRUE(companyProblems(c).isEmpty()) << companyProblems(c).join(u'|').toStdString();
    EXPECT_EQ(eldatCompany(values::Seller{}).country, QStringLiteral("DE")) << "no country column: Germany";

    values::Seller poor = c;
    poor.company.clear();
    poor.phone.clear();
    poor.email = QStringLiteral("info(at)forst.de");
    poor.iban = QStringLiteral("DE12");
    poor.country = QStringLiteral("XX");
    EXPECT_EQ(companyProblems(eldatCompany(poor)),
              (QStringList{QStringLiteral("Firmenname fehlt"), QStringLiteral("Land „XX“ ungültig"), QStringLiteral("Telefon fehlt"),
                           QStringLiteral("E-Mail „info(at)forst.de“ ungültig"), QStringLiteral("IBAN „DE12“ ungültig")}));
    poor.name1 = QStringLiteral("Max Muster");
    EXPECT_FALSE(companyProblems(eldatCompany(poor)).contains(QStringLiteral("Firmenname fehlt"))) << "the name line will do";
}

TEST(EldatChecks, ARefusalNamesEveryProblemOfListAndCompany)
{
    values::Seller c = eldatCompany(sampleCompany());
    std::vector<ExportLog> logs{{1, 12, 30, 28, {}, 0.74, {}}};
    EXPECT_EQ(eldatRefusal(c, logs), QString());

    for (int id = 2; id <= 8; ++id)
        logs.push_back({id, id == 2 ? 300 : 10, 300, 298, {}, 1.0, {}});
    c.phone.clear();
    EXPECT_EQ(eldatRefusal(c, logs), QStringLiteral("ELDATsmart nimmt Längen und Durchmesser bis 255 an:\n"
                                                    "– Stamm 2: Länge 300 m\n– Stamm 3: Durchmesser 298 cm\n"
                                                    "– Stamm 4: Durchmesser 298 cm\n– Stamm 5: Durchmesser 298 cm\n"
                                                    "– Stamm 6: Durchmesser 298 cm\n– und 2 weitere Stämme\n\n"
                                                    "Für ELDATsmart fehlen oder passen nicht in den Firmendaten (Stammdaten → Firma):\n"
                                                    "– Telefon fehlt"));
    EXPECT_TRUE(eldatRefusal(eldatCompany(c), {}).startsWith(QStringLiteral("Die Liste enthält keine Stämme.\n\n")));
}

TEST(FactsOffer, ANewListGetsSuggestionsAndAStoredOneItsFacts)
{
    const QDate today(2026, 3, 14);
    const ListHeader header{.department = QStringLiteral("12 B"), .species = QStringLiteral("Fichte"), .assortment = QStringLiteral("Abschnitte"),
                            .name = QStringLiteral("Wald")};
    const EldatFacts fresh = offeredFacts(header, std::nullopt, today);
    EXPECT_EQ(fresh.fellingDate, today);
    EXPECT_EQ(fresh.species, QStringLiteral("fi"));
    EXPECT_EQ(fresh.grade, QStringLiteral("fl"));
    EXPECT_EQ(fresh.use, QStringLiteral("sg"));
    EXPECT_TRUE(fresh.pileNumber.isEmpty());
    EXPECT_FALSE(fresh.latitude.has_value());

    EldatFacts stored = sampleFacts();
    stored.species = QStringLiteral("gfi");
    stored.use = QStringLiteral("f");
    const EldatFacts again = offeredFacts(header, stored, today);
    EXPECT_EQ(again.fellingDate, stored.fellingDate);
    EXPECT_EQ(again.species, QStringLiteral("gfi")) << "the species chosen for this Baumart stays";
    EXPECT_EQ(again.use, QStringLiteral("f"));
    EXPECT_EQ(again.processId, stored.processId);

    ListHeader changed = header;
    changed.species = QStringLiteral("Kiefer");
    EXPECT_EQ(offeredFacts(changed, stored, today).species, QStringLiteral("kie")) << "a new Baumart suggests its species";
    changed.species = QStringLiteral("Mischholz");
    EXPECT_EQ(offeredFacts(changed, stored, today).species, QStringLiteral("gfi")) << "an unknown Baumart keeps the choice";
}
