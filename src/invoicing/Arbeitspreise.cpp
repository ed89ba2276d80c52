#include "invoicing/Arbeitspreise.h"

#include "data/DataModule.h"
#include "engine/Transaction.h"
#include "invoicing/Deduction.h"
#include "rules/Runden.h"
#include "values/ListColumns.h"

using data::Dataset;

namespace invoicing {

namespace {

const QString priceFormat = QStringLiteral("###,##0.00");

QString s(const char *text)
{
    return QString::fromLatin1(text);
}

} // namespace

const QString Arbeitspreise::PreiseBSql =
    QStringLiteral("SELECT * FROM PREISE WHERE GUETEKLASSE = :GK ORDER BY  GUETEKLASSE, STAERKEKLASSE");
const QString Arbeitspreise::PreiseFuellenSql =
    QStringLiteral("INSERT INTO PREISE SELECT GUETEKLASSE, STAERKEKLASSE, ABZUG, PREIS, 100, PREIS FROM GRUNDPREISE");
const QString Arbeitspreise::AbzugSql = QStringLiteral("SELECT ABZUG FROM GRUNDPREISE WHERE UPPER(GUETEKLASSE) = :GK");
const QString Arbeitspreise::AbgeleitetSql =
    QStringLiteral("UPDATE Preise SET PREIS = :PREIS, PREISSAVE = 0, PROZENT = 0 WHERE UPPER(GUETEKLASSE) = :GUETEKLASSE "
                   "AND STAERKEKLASSE = :STAERKEKLASSE");

Arbeitspreise::Arbeitspreise(TDMod &dmod) : qryPreise(&dmod.dbDorv, QStringLiteral("qryPreise")), m_dmod(dmod)
{
    qryPreise.setLive(true);
    qryPreise.setDisplayFormat(s("PREIS"), priceFormat);
    qryPreise.setDisplayFormat(s("PROZENT"), QStringLiteral("##,##0.00"));
    for (const char *name : {"PREISB", "PREISC", "PREISCGW"})
        qryPreise.addCalculatedField(s(name), data::FieldType::Float, priceFormat);
    qryPreise.events.afterOpen = [this](Dataset &ds) { qryPreiseAfterOpen(ds); };
    qryPreise.events.calcFields = [this](Dataset &ds) { qryPreiseCalcFields(ds); };
}

void Arbeitspreise::oeffnen()
{
    qryPreise.close();
    qryPreise.setSql(QStringLiteral("DELETE FROM PREISE"));
    qryPreise.execSql();
    qryPreise.setSql(PreiseBSql);
    qryPreise.setParam(s("GK"), s("B"));
    qryPreise.open();
}

void Arbeitspreise::qryPreiseAfterOpen(Dataset &ds)
{
    if (ds.isEmpty()) {
        ds.close();
        ds.setSql(PreiseFuellenSql);
        ds.execSql();
        ds.setSql(PreiseBSql);
        ds.setParam(s("GK"), s("B"));
        ds.open(); // runs this handler again, now with rows
    }
    abzugLesen(s("C"), AbzugC);
    abzugLesen(s("CGW"), AbzugCgw);
    ds.recalculate(); // the shown prices follow the deductions just read
}

void Arbeitspreise::abzugLesen(const QString &klasse, double &abzug)
{
    Dataset &tmp = m_dmod.qryTmp;
    tmp.close();
    tmp.setSql(AbzugSql);
    tmp.setParam(s("GK"), klasse);
    tmp.open();
    if (!tmp.isEmpty()) {
        tmp.first();
        abzug = tmp.floatValue(s("Abzug"));
    }
}

void Arbeitspreise::qryPreiseCalcFields(Dataset &ds)
{
    // Empty values count as 0.
    const double p = ds.floatValue(s("PROZENT")) * ds.floatValue(s("PREISSAVE")) / 100;
    ds.setValue(s("PREISB"), rules::r2(p));
    ds.setValue(s("PREISC"), rules::r2(priceAfterDeduction(p, AbzugC)));
    ds.setValue(s("PREISCGW"), rules::r2(priceAfterDeduction(p, AbzugCgw)));
}

void Arbeitspreise::preisBearbeitet()
{
    qryPreise.edit();
    const double preisSave = qryPreise.floatValue(s("PREISSAVE"));
    const double preis = qryPreise.floatValue(s("PREIS"));
    if (preisSave != 0 && preis != 0)
        qryPreise.setValue(s("PROZENT"), rules::r2((100 / preisSave) * preis));
    else
        qryPreise.setValue(s("PROZENT"), 0.0);
    qryPreise.post();
}

void Arbeitspreise::prozentBearbeitet()
{
    qryPreise.edit();
    qryPreise.setValue(s("PREIS"), rules::r2(qryPreise.floatValue(s("PROZENT")) * qryPreise.floatValue(s("PREISSAVE")) / 100));
    qryPreise.post();
}

void Arbeitspreise::abgeleitetePreiseSchreiben()
{
    if (!qryPreise.isOpen())
        return;
    qryPreise.checkBrowseMode();
    // The rows are read where they stand: moving the current row would move the grid, whose
    // editor would then take the focus back from wherever the user went.
    const int staerkeklasse = qryPreise.fieldIndex(s(values::listcolumn::Staerkeklasse));
    Dataset &tmp = m_dmod.qryTmp;
    engine::Transaction transaction(m_dmod.dbDorv);
    for (int row = 0; row < qryPreise.recordCount(); ++row) {
        for (auto [klasse, feld] : {std::pair{"C", "PREISC"}, std::pair{"CGW", "PREISCGW"}}) {
            tmp.setSql(AbgeleitetSql);
            tmp.setParam(s(values::listcolumn::Gueteklasse), s(klasse));
            tmp.setParam(s(values::listcolumn::Staerkeklasse), qryPreise.value(row, staerkeklasse).toString());
            tmp.setParam(s("PREIS"), qryPreise.value(row, qryPreise.fieldIndex(s(feld))).toDouble());
            tmp.execSql();
        }
    }
    transaction.commit();
}

QString rechnungZeilenSql(const QString &listName)
{
    const QString &n = listName;
    return QStringLiteral("INSERT INTO Rechnung SELECT ") + n + QStringLiteral(".GUETEKLASSE, ") + n + QStringLiteral(".STAERKEKLASSE, ")
        + QStringLiteral("SUM(") + n + QStringLiteral(".VOLUMEN) AS VOLUMEN, ") + QStringLiteral("PREISE.PREIS ") + QStringLiteral("FROM ")
        + n + QStringLiteral(" ") + QStringLiteral("INNER JOIN PREISE ON PREISE.GUETEKLASSE = ") + n + QStringLiteral(".GUETEKLASSE ")
        + QStringLiteral("AND PREISE.STAERKEKLASSE = ") + n + QStringLiteral(".STAERKEKLASSE ") + QStringLiteral("GROUP BY ") + n
        + QStringLiteral(".GUETEKLASSE, ") + n + QStringLiteral(".STAERKEKLASSE, PREISE.PREIS");
}

void RechnungAufbauen(TDMod &dmod, const QString &listName)
{
    Dataset &q = dmod.qryRechnung;
    q.close();
    // The query reads the lines again afterwards, whether building them worked or not.
    struct Reopen
    {
        Dataset &q;
        ~Reopen() { q.setSql(TDMod::RechnungSql); }
    };
    {
        const Reopen reopen{q};
        // A list that cannot be read leaves the previous lines in place.
        engine::Transaction transaction(dmod.dbDorv);
        q.setSql(QStringLiteral("DELETE FROM Rechnung"));
        q.execSql();
        q.setSql(rechnungZeilenSql(listName));
        q.execSql();
        transaction.commit();
    }
    q.open();
}

} // namespace invoicing
