#pragma once

#include <QString>

#include <functional>

namespace controls { class DialogService; }
namespace data { class Shell; }
class TDMod;

namespace evaluation {

class MillComparison;

// The command Listen → "Werkmaß prüfen...": asks for a sawmill's measurement protocol, reads
// it, asks before comparing one that names another list, compares it with the current list
// and shows the window. Reads the list and changes nothing stored.
class MillCheck
{
public:
    // Shows a comparison of the named list: the window "Werkmaß prüfen".
    using Show = std::function<void(MillComparison &&comparison, const QString &listName)>;

    MillCheck(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, Show show);

    void WerkmassPruefen();

    static const QString Filter;

private:
    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;
    Show m_show;
    QString m_folder;
};

} // namespace evaluation
