#pragma once

#include "values/EldatFacts.h"
#include "values/ListHeader.h"

#include <QString>

#include <functional>
#include <optional>

namespace controls { class DialogService; }
namespace data { class Shell; }
class TDMod;

namespace evaluation {

// The command Listen → "Exportieren...": writes the current list as an ELDATsmart document
// for a sawmill or as a CSV file for a spreadsheet, whichever the user chooses in the file
// dialog, and says how many logs went where. It remembers the folder and format last used.
class ListExport
{
public:
    // Asks for the ELDAT facts, offering these; nothing when the user cancels.
    using FactsDialog = std::function<std::optional<values::EldatFacts>(const values::ListHeader &, const values::EldatFacts &)>;

    ListExport(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, FactsDialog askFacts);

    void ListeExportieren();

private:
    // Each writes the file and returns the number of logs in it; nothing when the export was
    // refused or cancelled.
    std::optional<int> exportCsv(const QString &path);
    std::optional<int> exportEldat(const QString &path);

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    FactsDialog m_askFacts;
    QString m_folder;
    int m_filter = 0;
};

} // namespace evaluation
