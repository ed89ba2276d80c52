#pragma once

#include "app/DataLocation.h"

#include <QString>

#include <memory>

namespace controls { class DialogService; }
class TDMod;
class TFormDorv;
class TFormStammeingabe;
class TFormNeu;
class TFormLaden;
class TFormFirma;
class TFormZusammenfasssung;
class TFormGrundpreise;
class TFormRechnung;
class TFormKunden;
class TFormMatchcode;
class TFormUeberDorv;
class TFormImport;
class TFormHarvesterImport;
class TFormEldatAngaben;
class TFormWerkmass;
namespace evaluation {
class ListExport;
class MillCheck;
}
class TFormRechnungsausgangsbuch;

namespace app {

class DataFolderLock;

// The windows created once at start, hidden, in this order. The main window owns them.
struct DorvWindows
{
    TFormStammeingabe *FormStammeingabe = nullptr;
    TFormNeu *FormNeu = nullptr;
    TFormLaden *FormLaden = nullptr;
    TFormFirma *FormFirma = nullptr;
    TFormZusammenfasssung *FormZusammenfasssung = nullptr;
    TFormGrundpreise *FormGrundpreise = nullptr;
    TFormRechnung *FormRechnung = nullptr;
    TFormKunden *FormKunden = nullptr;
    TFormMatchcode *FormMatchcode = nullptr;
    TFormUeberDorv *FormUeberDorv = nullptr;
    TFormImport *FormImport = nullptr;
    TFormHarvesterImport *FormHarvesterImport = nullptr;
    TFormEldatAngaben *FormEldatAngaben = nullptr;
    // Not a window: the export command of the Listen menu, owned by the program.
    evaluation::ListExport *listExport = nullptr;
    TFormRechnungsausgangsbuch *FormRechnungsausgangsbuch = nullptr;
    TFormWerkmass *FormWerkmass = nullptr;
    // Not a window: the command "Werkmaß prüfen..." of the Listen menu, owned by the program.
    evaluation::MillCheck *millCheck = nullptr;
};

// The running program: start-up in its fixed order (main window, data module, every other
// window), and the end (windows, then the data module with its connection).
class DorvProgram
{
public:
    // programFolder: empty for the folder of the executable; tests give their own.
    explicit DorvProgram(controls::DialogService &dialogs, const QString &programFolder = {});
    // The program with its data and templates where `folders` say.
    DorvProgram(controls::DialogService &dialogs, const DataLocation::Folders &folders);
    ~DorvProgram();
    DorvProgram(const DorvProgram &) = delete;
    DorvProgram &operator=(const DorvProgram &) = delete;

    // True when another program runs on the same data: this one has shown why, created neither
    // the data module nor the windows, touched no file, and must end.
    bool alreadyRunning() const { return m_alreadyRunning; }

    TFormDorv &FormDorv() { return *m_formDorv; }
    TDMod &DMod() { return *m_dmod; }
    DorvWindows &windows() { return m_windows; }

private:
    void start(const DataLocation::Folders &folders);

    controls::DialogService &m_dialogs;
    std::unique_ptr<DataFolderLock> m_dataLock; // held until the very end
    bool m_alreadyRunning = false;
    std::unique_ptr<TDMod> m_dmod;          // declared first: it outlives the windows
    std::unique_ptr<TFormDorv> m_formDorv;  // owns the other windows
    DorvWindows m_windows;
    std::unique_ptr<evaluation::ListExport> m_listExport;
    std::unique_ptr<evaluation::MillCheck> m_millCheck;
};

} // namespace app
