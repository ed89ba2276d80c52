#include "import/ListImporter.h"

#include "controls/DialogService.h"
#include "data/Dataset.h"
#include "data/ListNames.h"
#include "engine/Connection.h"
#include "engine/EngineError.h"
#include "engine/Transaction.h"
#include "import/LegacyReader.h"

#include <QFileInfo>

namespace importer {

namespace {

constexpr int LinesPerRecord = 7;

void show(DialogService &dialogs, const data::ListNameRefusal &refusal)
{
    if (refusal.kind == data::ListNameRefusal::Kind::Error)
        dialogs.error(refusal.text);
    else
        dialogs.information(refusal.text);
}

bool headerRowExists(engine::Connection &db, const QString &listName)
{
    // Without a header table no list has a header row yet; the import creates the table.
    if (!db.tableExists(QStringLiteral("DORVZUSATZ")))
        return false;
    data::Dataset dtqImportCheck(&db, QStringLiteral("dtqImportCheck"));
    dtqImportCheck.setSql(dtqImportCheckSql());
    dtqImportCheck.setParam(QStringLiteral("OFFSET"), listName);
    dtqImportCheck.open();
    const bool found = !dtqImportCheck.isEmpty();
    dtqImportCheck.close();
    return found;
}

QString recordContext(const QString &path, qint64 record, const legacy::LegacyLog &log)
{
    const qint64 lastLine = record * LinesPerRecord;
    return QStringLiteral("%1, Zeilen %2 bis %3 (Stamm %4, Güteklasse '%5', Stärkeklasse '%6')")
        .arg(QFileInfo(path).fileName())
        .arg(lastLine - LinesPerRecord + 1)
        .arg(lastLine)
        .arg(log.id)
        .arg(legacy::shownText(log.gueteklasse), legacy::shownText(log.staerkeklasse));
}

} // namespace

QString dtqImportCheckSql()
{
    return QStringLiteral("SELECT OFFSET\n"
                          "FROM DORVZUSATZ\n"
                          "WHERE UPPER(OFFSET) = UPPER(:OFFSET)");
}

QString createDorvzusatzSql()
{
    return QStringLiteral("CREATE TABLE DORVZUSATZ ( ID AUTOINC, OFFSET CHAR(25), ABTEILUNG CHAR(50), BAUMART CHAR(50), "
                          "SORTE CHAR(50), ZUSATZTEXT CHAR(100), GESCHAELT BOOLEAN, GERUECKT BOOLEAN, Primary Key(ID))");
}

QString createListSql(const QString &listName)
{
    return QStringLiteral("CREATE TABLE ") + listName
           + QStringLiteral(" ( ID INT, LAENGE INT, DURCHMEIN INT, DURCHMEFF INT, GUETEKLASSE CHAR(3), "
                            "VOLUMEN NUMERIC(10,4), STAERKEKLASSE CHAR(3), PRIMARY KEY(ID))");
}

QString dtqZusatzSql()
{
    return QStringLiteral("INSERT INTO DORVZUSATZ ( OFFSET, ABTEILUNG, BAUMART, SORTE, ZUSATZTEXT, GESCHAELT, GERUECKT ) "
                          "VALUES ( :OFFSET, :ABTEILUNG, :BAUMART, :SORTE, :ZUSATZTEXT, :GESCHAELT, :GERUECKT )");
}

QString dtqStaemmeSql(const QString &listName)
{
    return QStringLiteral("INSERT INTO ") + listName + QStringLiteral(" ")
           + QStringLiteral("( ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE ) ")
           + QStringLiteral("VALUES ")
           + QStringLiteral("( :ID, :LAENGE, :DURCHMEIN, :DURCHMEFF, :GUETEKLASSE, :VOLUMEN, :STAERKEKLASSE ) ");
}

ImportError::ImportError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message)
{
}

bool ImportPruefen(engine::Connection &db, DialogService &dialogs, const QString &dataPath, const QString &path,
                   const QString &listName)
{
    // A name typed into the file dialog that names no file: nothing to import. Something that
    // is there but no regular file (a FIFO, a device, a dangling link) is refused: reading it
    // would block or never end.
    const QFileInfo file(path);
    if (!file.isFile()) {
        if (file.exists() || file.isSymLink())
            dialogs.error(legacy::notARegularFileText(path));
        return false;
    }

    // The rules of new list names. An existing table file is reported after the header rows
    // are searched, so that a list that exists says so in the import's own words.
    const std::optional<data::ListNameRefusal> refusal =
        data::checkNewListName(listName, dataPath, data::ListNameChecks{.maxLength = true});
    if (refusal && refusal->rule != data::ListNameRefusal::Rule::Exists) {
        show(dialogs, *refusal);
        return false;
    }
    if (headerRowExists(db, listName)) {
        dialogs.information(QStringLiteral("Diese Liste ist schon vorhanden!"));
        return false;
    }
    if (refusal) {
        show(dialogs, *refusal);
        return false;
    }
    return true;
}

void ListeImportieren(engine::Connection &db, const QString &path, const QString &listName, const Progress &progress)
{
    // The side files are read before anything is written: an unreadable one changes nothing.
    const legacy::LegacyHeader header = legacy::readLegacyHeader(path);

    engine::Transaction tx(db);
    // The header table comes with the first list, as a new list made by hand creates it.
    if (!db.tableExists(QStringLiteral("DORVZUSATZ")))
        db.execute(createDorvzusatzSql());
    db.execute(createListSql(listName));

    try {
        db.execute(dtqZusatzSql(), {{QStringLiteral("OFFSET"), listName},
                                    {QStringLiteral("ABTEILUNG"), header.abteilung},
                                    {QStringLiteral("BAUMART"), header.baumart},
                                    {QStringLiteral("SORTE"), header.sorte},
                                    {QStringLiteral("ZUSATZTEXT"), header.zusatztext},
                                    {QStringLiteral("GESCHAELT"), header.geschaelt},
                                    {QStringLiteral("GERUECKT"), header.gerueckt}});
    } catch (const engine::EngineError &e) {
        // A text of the info or settings file too long for the list header.
        throw ImportError(QStringLiteral("%1 (.INF, .SET): %2").arg(QFileInfo(path).fileName(), e.message()));
    }

    const QString dtqStaemme = dtqStaemmeSql(listName);
    qint64 record = 0;
    engine::Params params{{QStringLiteral("ID"), {}},          {QStringLiteral("LAENGE"), {}},
                          {QStringLiteral("DURCHMEIN"), {}},   {QStringLiteral("DURCHMEFF"), {}},
                          {QStringLiteral("GUETEKLASSE"), {}}, {QStringLiteral("VOLUMEN"), {}},
                          {QStringLiteral("STAERKEKLASSE"), {}}};
    const auto store = [&](const legacy::LegacyLog &log) {
        ++record;
        params[0].value = log.id;
        params[1].value = log.laenge;
        params[2].value = log.durchmein;
        params[3].value = log.durchmeff;
        params[4].value = log.gueteklasse;
        params[5].value = log.volumen;
        params[6].value = log.staerkeklasse;
        try {
            db.execute(dtqStaemme, params);
        } catch (const engine::EngineError &e) {
            throw ImportError(recordContext(path, record, log) + QStringLiteral(": ") + e.message());
        }
    };
    legacy::readLegacyLogs(path, header.geschaelt, store, progress);

    tx.commit();
}

} // namespace importer
