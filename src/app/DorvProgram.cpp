#include "app/DorvProgram.h"

#include "app/DataFolderLock.h"
#include "backup/Restore.h"
#include "app/FormDorv.h"
#include "app/FormLaden.h"
#include "app/FormNeu.h"
#include "app/FormUeberDorv.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "data/DataModule.h"
#include "entry/FormStammeingabe.h"
#include "evaluation/FormEldatAngaben.h"
#include "evaluation/FormZusammenfasssung.h"
#include "evaluation/FormWerkmass.h"
#include "evaluation/ListExport.h"
#include "evaluation/MillCheck.h"
#include "import/FormHarvesterImport.h"
#include "import/FormImport.h"
#include "invoicing/FormFirma.h"
#include "invoicing/FormGrundpreise.h"
#include "invoicing/FormKunden.h"
#include "invoicing/FormMatchcode.h"
#include "invoicing/FormRechnung.h"
#include "invoicing/FormRechnungsausgangsbuch.h"
#include "invoiceregister/RegisterTable.h"

#include <QApplication>

namespace app {

DorvProgram::DorvProgram(controls::DialogService &dialogs, const QString &programFolder) : m_dialogs(dialogs)
{
    QApplication::setApplicationName(QStringLiteral("Dorv"));
    start(DataLocation::Folders::of(programFolder.isEmpty() ? QApplication::applicationDirPath() : programFolder));
}

DorvProgram::DorvProgram(controls::DialogService &dialogs, const DataLocation::Folders &folders) : m_dialogs(dialogs)
{
    QApplication::setApplicationName(QStringLiteral("Dorv"));
    start(folders);
}

void DorvProgram::start(const DataLocation::Folders &folders)
{
    QApplication::setApplicationVersion(QStringLiteral(DORV_VERSION));
    controls::DialogService &dialogs = m_dialogs;
    m_formDorv = std::make_unique<TFormDorv>(dialogs, DataLocation(folders));

    // One program per data folder, before anything opens, recovers or writes a file there. A
    // program restoring the folder holds it across its renames, before its lock is back.
    const bool restoring = backup::restoreInProgress(m_formDorv->dataPath());
    if (!restoring)
        m_dataLock = std::make_unique<DataFolderLock>(m_formDorv->dataPath());
    if (restoring || m_dataLock->heldElsewhere()) {
        m_alreadyRunning = true;
        dialogs.information(DataFolderLock::AlreadyRunningText);
        return;
    }

    m_dmod = std::make_unique<TDMod>(*m_formDorv);
    m_dmod->setConfirmation([&dialogs](const QString &question) { return dialogs.confirm(question); });
    m_formDorv->setDataModule(*m_dmod);
    m_formDorv->setDataLock(*m_dataLock);
    // A missing data folder or company table is shown; start-up goes on.
    controls::guarded(dialogs, [this] { m_dmod->DataModuleCreate(); });
    // The register of issued invoices comes into being with the first start that needs it.
    if (m_dmod->dbDorv.isOpen())
        controls::guarded(dialogs, [this] { invoiceregister::table::ensure(m_dmod->dbDorv); });

    TFormDorv *main = m_formDorv.get();
    TDMod &dmod = *m_dmod;
    TFormDorv &shell = *m_formDorv;
    m_windows.FormStammeingabe = new TFormStammeingabe(dmod, shell, dialogs, main);
    dmod.setLogRowRules(m_windows.FormStammeingabe);
    m_windows.FormNeu = new TFormNeu(dmod, shell, dialogs, main);
    m_windows.FormLaden = new TFormLaden(dmod, shell, dialogs, main);
    m_windows.FormFirma = new TFormFirma(dmod, shell, dialogs, main);
    m_windows.FormZusammenfasssung = new TFormZusammenfasssung(dmod, shell, dialogs, main);
    m_windows.FormGrundpreise = new TFormGrundpreise(dmod, shell, dialogs, main);
    m_windows.FormRechnung = new TFormRechnung(dmod, shell, dialogs, main);
    m_windows.FormKunden = new TFormKunden(dmod, shell, dialogs, main);
    m_windows.FormMatchcode = new TFormMatchcode(dmod, shell, dialogs, main);
    m_windows.FormUeberDorv = new TFormUeberDorv(dmod, shell, dialogs, main);
    m_windows.FormImport = new TFormImport(dmod, shell, dialogs, main);
    m_windows.FormHarvesterImport = new TFormHarvesterImport(dmod, shell, dialogs, main);
    m_windows.FormEldatAngaben = new TFormEldatAngaben(dialogs, main);
    m_listExport = std::make_unique<evaluation::ListExport>(
        dmod, shell, dialogs, [form = m_windows.FormEldatAngaben](const values::ListHeader &header, const values::EldatFacts &offered) {
            return form->ask(header, offered);
        });
    m_windows.listExport = m_listExport.get();
    m_windows.FormRechnungsausgangsbuch = new TFormRechnungsausgangsbuch(dmod, shell, dialogs, main);
    m_windows.FormWerkmass = new TFormWerkmass(shell, dialogs, main);
    m_millCheck = std::make_unique<evaluation::MillCheck>(
        dmod, shell, dialogs, [form = m_windows.FormWerkmass](evaluation::MillComparison &&comparison, const QString &listName) {
            form->setComparison(std::move(comparison), listName);
            form->exec();
        });
    m_windows.millCheck = m_millCheck.get();
    m_windows.FormRechnung->setMatchcodeWindow(m_windows.FormMatchcode);
    m_formDorv->setWindows(m_windows);
}

DorvProgram::~DorvProgram()
{
    // The windows go with the main window; the data module closes the connection after them.
    m_listExport.reset();
    m_millCheck.reset();
    m_formDorv.reset();
    m_dmod.reset();
    m_dataLock.reset();
}

} // namespace app
