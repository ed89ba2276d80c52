#include "evaluation/ListExport.h"

#include "controls/DialogService.h"
#include "controls/WorkProgress.h"
#include "data/CompanyRow.h"
#include "data/DataModule.h"
#include "data/EldatFactsStore.h"
#include "data/Shell.h"
#include "evaluation/ExportSource.h"
#include "export/CsvWriter.h"
#include "export/EldatChecks.h"
#include "export/EldatWriter.h"
#include "export/FactsOffer.h"
#include "export/FileOutput.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QUuid>


namespace evaluation {

namespace {

// The formats in the order the file dialog offers them.
enum Format { Eldat = 0, Csv = 1 };
const QString filters = QStringLiteral("ELDATsmart|*.json|CSV für Tabellenkalkulation|*.csv");
const QString suffixes[] = {QStringLiteral("json"), QStringLiteral("csv")};

// A name typed with the other format's extension means that format; a name without one
// gets the extension of the filter chosen.
Format formatOf(controls::DialogService::SaveChoice &choice)
{
    const QString suffix = QFileInfo(choice.path).suffix().toLower();
    for (const Format f : {Eldat, Csv})
        if (suffix == suffixes[f])
            return f;
    const Format f = choice.filter == Csv ? Csv : Eldat;
    if (suffix.isEmpty())
        choice.path += u'.' + suffixes[f];
    return f;
}

QString writtenText(int logs, const QString &path)
{
    return (logs == 1 ? QStringLiteral("1 Stamm wurde") : QStringLiteral("%1 Stämme wurden").arg(logs))
           + QStringLiteral(" in die Datei\n%1\ngeschrieben.").arg(QDir::toNativeSeparators(path));
}

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// How far the writing of a long list has come; shown when it takes longer than a moment.
controls::WorkProgress exportProgress()
{
    return controls::WorkProgress(QStringLiteral("Die Liste wird exportiert..."), QApplication::activeWindow());
}

} // namespace

ListExport::ListExport(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, FactsDialog askFacts)
    : m_dmod(dmod), m_shell(shell), m_dialogs(dialogs), m_askFacts(std::move(askFacts))
{
}

void ListExport::ListeExportieren()
{
    const QString name = m_shell.currentListName();
    if (name.isEmpty())
        return;
    const QString folder = controls::dialogFolder(m_folder);
    controls::DialogService::SaveChoice choice = m_dialogs.saveFile(QStringLiteral("Liste exportieren"), filters, m_filter,
                                                          folder + u'/' + name + u'.' + suffixes[m_filter]);
    if (choice.path.isEmpty())
        return;
    const Format format = formatOf(choice);
    m_folder = QFileInfo(choice.path).absolutePath();
    m_filter = format;

    const std::optional<int> written = format == Csv ? exportCsv(choice.path) : exportEldat(choice.path);
    if (written)
        m_dialogs.information(writtenText(*written, choice.path));
}

std::optional<int> ListExport::exportCsv(const QString &path)
{
    controls::WorkProgress progress = exportProgress();
    const auto logs = exportLogs(m_dmod.dbDorv, m_shell.currentListName());
    progress(4, 10);
    const QByteArray csv = exporting::csvDocument(logs);
    progress(8, 10);
    exporting::writeWholeFile(path, csv);
    progress(1, 1);
    return int(logs.size());
}

std::optional<int> ListExport::exportEldat(const QString &path)
{
    const QString name = m_shell.currentListName();
    exporting::EldatInput in;
    in.logs = exportLogs(m_dmod.dbDorv, name);
    in.header = exportHeader(m_dmod.dbDorv, name);
    in.company = exporting::eldatCompany(data::companyRow(m_dmod.qryFirma));
    if (const QString refusal = exporting::eldatRefusal(in.company, in.logs); !refusal.isEmpty()) {
        m_dialogs.error(refusal);
        return std::nullopt;
    }

    const auto offered = exporting::offeredFacts(in.header, data::loadEldatFacts(m_dmod.dbDorv, name), QDate::currentDate());
    const auto facts = m_askFacts(in.header, offered);
    if (!facts)
        return std::nullopt;
    in.facts = *facts;
    // Every document about this list carries the process id of the first one.
    in.facts.processId = offered.processId.isEmpty() ? newId() : offered.processId;
    // And the same module id, which the mill's measurement protocol names as its reference.
    in.facts.moduleId = offered.moduleId.isEmpty() ? newId() : offered.moduleId;
    data::storeEldatFacts(m_dmod.dbDorv, name, in.facts);

    in.envelope = {newId(), in.facts.moduleId, QDateTime::currentDateTimeUtc(), QApplication::applicationVersion()};
    controls::WorkProgress progress = exportProgress();
    // Building the log objects is a third of the work; writing them out as text the rest.
    const QByteArray document = exporting::eldatDocument(in, [&progress](qint64 done, qint64 total) { progress(done, 3 * total); });
    progress(9, 10);
    exporting::writeWholeFile(path, document);
    progress(1, 1);
    return int(in.logs.size());
}

} // namespace evaluation
