#include "data/DataModule.h"

#include "data/InvoiceColumns.h"
#include "data/ListFullError.h"
#include "data/LogList.h"

#include "data/Shell.h"
#include "engine/Transaction.h"
#include "values/CompanyColumns.h"
#include "values/ListColumns.h"

#include <limits>
#include <stdexcept>

using data::Dataset;
using data::FieldType;

const QString TDMod::RechnungSql = QStringLiteral(
    "SELECT Rechnung.*, CAST (CAST ( ( ( ( VOLUMEN * PREIS ) * 100 ) + 0.5 ) AS INTEGER) AS NUMERIC(15,2) ) / 100 As Summe "
    "FROM Rechnung ORDER BY GUETEKLASSE, STAERKEKLASSE");

TDMod::TDMod(data::Shell &shell, QObject *parent)
    : QObject(parent),
      qryDorvTabelle(&dbDorv, QStringLiteral("qryDorvTabelle")),
      qryDorvNeueNr(&dbDorv, QStringLiteral("qryDorvNeueNr")),
      qryDorvZusatz(&dbDorv, QStringLiteral("qryDorvZusatz")),
      qryDorvsatzgeloescht(&dbDorv, QStringLiteral("qryDorvsatzgeloescht")),
      qryZusammenfasssung(&dbDorv, QStringLiteral("qryZusammenfasssung")),
      qryZusZusatz(&dbDorv, QStringLiteral("qryZusZusatz")),
      qryGesamtVolumen(&dbDorv, QStringLiteral("qryGesamtVolumen")),
      qryGewogeneLaenge(&dbDorv, QStringLiteral("qryGewogeneLaenge")),
      qryFirma(&dbDorv, QStringLiteral("qryFirma")),
      qryKunden(&dbDorv, QStringLiteral("qryKunden")),
      qryRechnung(&dbDorv, QStringLiteral("qryRechnung")),
      qryMatchcode(&dbDorv, QStringLiteral("qryMatchcode")),
      qryTmp(&dbDorv, QStringLiteral("qryTmp")),
      m_shell(shell)
{
    setObjectName(QStringLiteral("DMod"));

    qryDorvTabelle.setLive(true);
    qryDorvTabelle.setDisplayFormat(values::listcolumn::Volumen, QStringLiteral("#0.00 FM"));
    qryDorvTabelle.events.newRecord = [this](Dataset &ds) { qryDorvTabelleNewRecord(ds); };
    qryDorvTabelle.events.beforePost = [this](Dataset &ds) { qryDorvTabelleBeforePost(ds); };
    qryDorvTabelle.events.beforeDelete = [this](Dataset &ds) { qryDorvTabelleBeforeDelete(ds); };
    qryDorvTabelle.events.afterDelete = [this](Dataset &ds) { qryDorvTabelleAfterDelete(ds); };

    qryDorvZusatz.setLive(true);

    qryGewogeneLaenge.setMaster(dsGesVolumen.dataset);

    qryFirma.setLive(true);
    qryFirma.setSql(QStringLiteral("SELECT * FROM Firma"));
    qryFirma.setDisplayFormat(values::companycolumn::MwSt, QStringLiteral("##0.00"));
    qryFirma.setDisplayFormat(values::companycolumn::FaSatz, QStringLiteral("##0.00"));

    qryKunden.setLive(true);
    qryKunden.setSql(QStringLiteral("SELECT * FROM Kunden"));
    qryKunden.setDisplayFormat(QStringLiteral("SKONTO"), QStringLiteral("###.##"));
    qryKunden.events.newRecord = [this](Dataset &ds) { qryKundenNewRecord(ds); };
    qryKunden.events.beforeClose = [this](Dataset &ds) { qryKundenBeforeClose(ds); };

    qryRechnung.setLive(true);
    qryRechnung.setSql(RechnungSql);
    qryRechnung.setDisplayFormat(values::listcolumn::Volumen, QStringLiteral("###0.00 FM"));
    qryRechnung.setDisplayFormat(QStringLiteral("PREIS"), QStringLiteral("####0.00"));
    qryRechnung.setReadOnly(QStringLiteral("Summe"));
}

TDMod::~TDMod()
{
    // Pending edits are dropped with the queries; nothing asks any more at the end.
    qryKunden.events.beforeClose = nullptr;
    DataModuleDestroy();
}

void TDMod::DataModuleCreate()
{
    dbDorv.close();
    const QStringList params{QStringLiteral("PATH=") + m_shell.dataPath(), QStringLiteral("DEFAULT DRIVER = DBASE"),
                             QStringLiteral("ENABLE BCD = FALSE")};
    dbDorv.open(params);
    // Older data folders get the e-invoice columns here, before any query reads the tables.
    data::invoicecolumns::addMissing(dbDorv);
    qryFirma.open();
}

void TDMod::DataModuleDestroy()
{
    for (Dataset *ds : {&qryDorvTabelle, &qryDorvZusatz, &qryFirma, &qryKunden, &qryRechnung, &qryMatchcode, &qryTmp,
                        &qryZusammenfasssung, &qryZusZusatz, &qryGewogeneLaenge, &qryGesamtVolumen, &qryDorvNeueNr})
        ds->close();
    dbDorv.close();
}

void TDMod::prepareListQueries(const QString &listName)
{
    if (listName.isEmpty())
        return;
    qryZusammenfasssung.setSql(QStringLiteral("SELECT COUNT( ID) As Menge, SUM( VOLUMEN) As Volumen, Staerkeklasse, Gueteklasse FROM ")
                               + listName + QStringLiteral(" GROUP BY Gueteklasse, Staerkeklasse"));
    qryZusZusatz.setSql(QStringLiteral("SELECT AVG(Laenge) AS DLaenge, AVG(Durchmeff) AS DDurchmeff, AVG(Volumen) AS DVolumen FROM ") + listName);
    qryDorvZusatz.setSql(data::loglist::headerSql());
    qryGesamtVolumen.setSql(QStringLiteral("SELECT COUNT(ID) As Menge, SUM(Volumen) AS GesVol  FROM ") + listName);
    qryGewogeneLaenge.setSql(QStringLiteral("SELECT SUM( (100 * Volumen / :GesVol) /100 * Laenge) AS GewLaenge FROM ") + listName);

    // Setting a text closes the query; the five are closed in the order above.
    for (Dataset *q : {&qryZusammenfasssung, &qryZusZusatz, &qryDorvZusatz, &qryGesamtVolumen, &qryGewogeneLaenge})
        q->close();

    qryZusammenfasssung.open();
    qryZusZusatz.open();
    qryDorvZusatz.setParam(values::headercolumn::Offset, listName);
    qryDorvZusatz.open();
    qryGesamtVolumen.open();
    qryGewogeneLaenge.open();
}

bool TDMod::CheckDatensatz() const
{
    return qryDorvTabelle.value(values::listcolumn::Laenge).toInt() != 0
           && qryDorvTabelle.value(values::listcolumn::Durchmein).toInt() != 0;
}

void TDMod::deleteCurrentLog()
{
    try {
        engine::Transaction tx(dbDorv);
        qryDorvTabelle.remove();
        tx.commit();
    } catch (...) {
        // The deletion was rolled back with the renumbering: show the list as stored.
        if (qryDorvTabelle.isOpen())
            qryDorvTabelle.refresh();
        throw;
    }
}

void TDMod::qryDorvTabelleNewRecord(Dataset &ds)
{
    qryDorvNeueNr.setSql(QStringLiteral("SELECT MAX(ID) AS MaxID FROM ") + m_shell.currentListName());
    qryDorvNeueNr.open();
    const qint64 maxId = qryDorvNeueNr.value(QStringLiteral("MaxID")).toLongLong();
    qryDorvNeueNr.close();
    // Log numbers are INT: past the largest one there is no next number, and no row is begun.
    if (maxId >= std::numeric_limits<qint32>::max())
        throw data::ListFullError(QStringLiteral("Die Liste kann keinen weiteren Stamm aufnehmen: die größte Stammnummer "
                                                 "%1 ist erreicht.")
                                      .arg(maxId));
    ds.setValue(values::listcolumn::Id, int(maxId + 1));
}

void TDMod::qryDorvTabelleBeforePost(Dataset &ds)
{
    if (!m_rules)
        return;
    m_rules->DurchmeffBerechnen(ds, m_geschaelt);
    ds.setValue(values::listcolumn::Volumen, m_rules->VolumenBerechnen());
    m_rules->GueteklasseUmsetzen();
    m_rules->StaerkeklasseBerechnen();
}

void TDMod::qryDorvTabelleBeforeDelete(Dataset &ds)
{
    GeloeschteID = ds.value(values::listcolumn::Id).toInt();
}

void TDMod::qryDorvTabelleAfterDelete(Dataset &ds)
{
    qryDorvsatzgeloescht.setSql(QStringLiteral("UPDATE ") + m_shell.currentListName()
                                + QStringLiteral(" SET ID = ID - 1 WHERE ID > :GELOESCHTID "));
    qryDorvsatzgeloescht.setParam(QStringLiteral("GELOESCHTID"), GeloeschteID);
    qryDorvsatzgeloescht.execSql();
    ds.refresh();
}

void TDMod::qryKundenNewRecord(Dataset &ds)
{
    qryTmp.setSql(QStringLiteral("SELECT MAX(ID)+1 AS MaxID FROM Kunden"));
    qryTmp.open();
    const int id = qryTmp.value(QStringLiteral("MaxID")).toInt();
    qryTmp.close();
    ds.setValue(QStringLiteral("ID"), id);
}

void TDMod::qryKundenBeforeClose(Dataset &ds)
{
    if (ds.state() != data::DatasetState::Edit)
        return;
    if (m_confirm && m_confirm(QStringLiteral("Änderungen an der Adresse speichern?")))
        ds.post();
    else
        ds.cancel();
}
