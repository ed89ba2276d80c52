// The one reader of the company row: every invoice, e-invoice and export takes the seller from
// it, so a folder of an earlier version and blanks typed around a value must come out alike.
#include "data/CompanyRow.h"
#include "data/Dataset.h"
#include "support/DataFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(CompanyRow, TextsWithoutBlanksCountryInCapitalsMissingColumnsEmpty)
{
    DataFolder folder; // the delivered tables: Firma without the e-invoice columns
    engine::Connection db;
    db.open({QStringLiteral("PATH=") + folder.path()});
    data::Dataset firma(&db);
    firma.setSql(QStringLiteral("SELECT * FROM Firma"));
    EXPECT_EQ(data::companyRow(firma).company, QString()) << "a closed query gives nothing";

    firma.open();
    values::Seller s = data::companyRow(firma);
    EXPECT_EQ(s.company, QStringLiteral("Forstbetrieb Muster"));
    EXPECT_EQ(s.name1, QStringLiteral("Max Mustermann"));
    EXPECT_EQ(s.bank, QStringLiteral("Musterbank"));
    EXPECT_EQ(s.iban, QString()) << "no IBAN column in this folder";
    EXPECT_EQ(s.country, QString()) << "no Land column: empty, not a guess";

    firma.close();
    db.execute(QStringLiteral("ALTER TABLE Firma ADD COLUMN Land CHAR(3)"));
    db.execute(QStringLiteral("ALTER TABLE Firma ADD COLUMN IBAN CHAR(34)"));
    db.execute(QStringLiteral("UPDATE Firma SET Firma = '  Forst  ', Telefon = ' 0123 ', Land = ' d ', "
                              "IBAN = ' DE89 3704 0044 0532 0130 00 '"));
    engine::Connection again; // a statement prepared before stays with the columns it had
    again.open({QStringLiteral("PATH=") + folder.path()});
    data::Dataset typed(&again);
    typed.setSql(QStringLiteral("SELECT * FROM Firma"));
    typed.open();
    s = data::companyRow(typed);
    EXPECT_EQ(s.company, QStringLiteral("Forst"));
    EXPECT_EQ(s.phone, QStringLiteral("0123"));
    EXPECT_EQ(s.country, QStringLiteral("D"));
    EXPECT_EQ(s.iban, QStringLiteral("DE89 3704 0044 0532 0130 00")) << "inner blanks as typed";

    typed.close();
    again.execute(QStringLiteral("DELETE FROM Firma"));
    typed.open();
    EXPECT_EQ(data::companyRow(typed).company, QString()) << "no company row";
}

} // namespace
