#include "evaluation/MillCheck.h"

#include "controls/DialogService.h"
#include "controls/WorkProgress.h"
#include "data/DataModule.h"
#include "data/EldatFactsStore.h"
#include "data/Shell.h"
#include "evaluation/ExportSource.h"
#include "evaluation/MillComparison.h"
#include "evaluation/MillIdentity.h"
#include "export/MillReader.h"

#include <QApplication>
#include <QFileInfo>

namespace evaluation {

const QString MillCheck::Filter = QStringLiteral("ELDATsmart-Werkmaßprotokoll|*.json|Alle Dateien|*");

MillCheck::MillCheck(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, Show show)
    : m_dmod(dmod), m_shell(shell), m_dialogs(dialogs), m_show(std::move(show))
{
}

void MillCheck::WerkmassPruefen()
{
    const QString name = m_shell.currentListName();
    if (name.isEmpty())
        return;
    const QString folder = controls::dialogFolder(m_folder);
    const QString path = m_dialogs.openFile(QStringLiteral("Werkmaß prüfen"), Filter, folder);
    if (path.isEmpty())
        return;
    m_folder = QFileInfo(path).absolutePath();

    std::optional<exporting::MillProtocol> protocol;
    {
        controls::WorkProgress progress(QStringLiteral("Das Werkmaßprotokoll wird gelesen..."), QApplication::activeWindow());
        protocol = exporting::readMillProtocolFile(path);
        progress(1, 1);
    }
    const QString question = otherListQuestion(protocol->reference, name, data::loadEldatFacts(m_dmod.dbDorv, name));
    if (!question.isEmpty() && !m_dialogs.confirm(question))
        return;
    std::optional<MillComparison> comparison;
    {
        controls::WorkProgress progress(QStringLiteral("Die Liste wird mit dem Werkmaß verglichen..."), QApplication::activeWindow());
        const auto logs = exportLogs(m_dmod.dbDorv, name);
        progress(1, 2);
        comparison.emplace(logs, *protocol);
        progress(1, 1);
    }
    m_show(std::move(*comparison), name);
}

} // namespace evaluation
