#include "import/ListImporter.h"

#include "controls/DialogService.h"
#include "data/Dataset.h"
#include "rules/ListNames.h"
#include "data/LogList.h"
#include "engine/Connection.h"
#include "engine/EngineError.h"
#include "engine/Transaction.h"
#include "import/LegacyReader.h"

#include <QFileInfo>

namespace importing {

namespace {

constexpr int LinesPerRecord = 7;

void show(controls::DialogService &dialogs, const rules::ListNameRefusal &refusal)
{
    if (refusal.kind == rules::ListNameRefusal::Kind::Error)
        dialogs.error(refusal.text);
    else
        dialogs.information(refusal.text);
}

QString recordContext(const QString &path, qint64 record, const values::LogRow &log)
{
    const qint64 lastLine = record * LinesPerRecord;
    return QStringLiteral("%1, Zeilen %2 bis %3 (Stamm %4, Güteklasse '%5', Stärkeklasse '%6')")
        .arg(QFileInfo(path).fileName())
        .arg(lastLine - LinesPerRecord + 1)
        .arg(lastLine)
        .arg(log.id)
        .arg(importing::shownText(log.gueteklasse), importing::shownText(log.staerkeklasse));
}

} // namespace

QString dtqImportCheckSql()
{
    return data::loglist::headerAnyCaseSql();
}

QString dtqStaemmeSql(const QString &listName)
{
    return data::loglist::insertLogSql(listName);
}

bool ImportPruefen(engine::Connection &db, controls::DialogService &dialogs, const QString &dataPath, const QString &path,
                   const QString &listName)
{
    // A name typed into the file dialog that names no file: nothing to import. Something that
    // is there but no regular file (a FIFO, a device, a dangling link) is refused: reading it
    // would block or never end.
    const QFileInfo file(path);
    if (!file.isFile()) {
        if (file.exists() || file.isSymLink())
            dialogs.error(importing::notARegularFileText(path));
        return false;
    }

    // The rules of new list names. An existing table file is reported after the header rows
    // are searched, so that a list that exists says so in the import's own words.
    const std::optional<rules::ListNameRefusal> refusal =
        rules::checkNewListName(listName, dataPath, rules::ListNameChecks{.maxLength = true});
    if (refusal && refusal->rule != rules::ListNameRefusal::Rule::Exists) {
        show(dialogs, *refusal);
        return false;
    }
    if (data::loglist::headerExistsAnyCase(db, listName)) {
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
    const values::ListHeader header = importing::readLegacyHeader(path);

    engine::Transaction tx(db);
    data::loglist::addListTables(db, listName);
    try {
        data::loglist::addHeaderRow(db, listName, header);
    } catch (const engine::EngineError &e) {
        // A text of the info or settings file too long for the list header.
        throw ImportError(QStringLiteral("%1 (.INF, .SET): %2").arg(QFileInfo(path).fileName(), e.message()));
    }

    data::loglist::LogWriter logs(db, listName);
    qint64 record = 0;
    const auto store = [&](const values::LogRow &log) {
        ++record;
        try {
            logs.insert(log);
        } catch (const engine::EngineError &e) {
            throw ImportError(recordContext(path, record, log) + QStringLiteral(": ") + e.message());
        }
    };
    importing::readLegacyLogs(path, header.peeled, store, progress);

    tx.commit();
}

} // namespace importing
