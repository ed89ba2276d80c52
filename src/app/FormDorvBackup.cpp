// Backing up the data folder into one file and restoring it, from the menu of the main window.

#include "app/FormDorv.h"

#include "app/DataFolderLock.h"
#include "app/RestoreRules.h"
#include "backup/Backup.h"
#include "backup/Restore.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "controls/WorkProgress.h"
#include "data/DataModule.h"
#include "invoicing/FormKunden.h"
#include "invoicing/FormRechnung.h"
#include "invoicing/FormRechnungsausgangsbuch.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <optional>

namespace {

const QString BackupFilter = QStringLiteral("Datensicherung|*.zip");

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// True when the file would lie in the folder (or below it), however the two are written.
bool insideFolder(const QString &file, const QString &folder)
{
    const QFileInfo target(QFileInfo(file).absolutePath());
    const QString parent = target.canonicalFilePath().isEmpty() ? target.absoluteFilePath() : target.canonicalFilePath();
    const QFileInfo data(folder);
    const QString dataFolder = data.canonicalFilePath().isEmpty() ? QDir::cleanPath(data.absoluteFilePath()) : data.canonicalFilePath();
    return parent == dataFolder || parent.startsWith(dataFolder + u'/');
}

} // namespace

void TFormDorv::mnuDateiSicherungClick()
{
    controls::guarded(m_dialogs, [&] {
        const QString path = m_dialogs
                                 .saveFile(QStringLiteral("Datensicherung"), BackupFilter, 0,
                                           documentsFolder() + u'/' + backup::backupFileName(QDate::currentDate()))
                                 .path;
        if (path.isEmpty())
            return;
        if (insideFolder(path, m_dataPath)) {
            m_dialogs.error(QStringLiteral("Die Datensicherung kann nicht im Datenordner %1 gespeichert werden. Bitte wählen Sie einen "
                                           "anderen Ordner.")
                                .arg(shown(m_dataPath)));
            return;
        }
        // The program writes only from its own handlers, and this one runs to its end: nothing
        // changes a table while the copies are taken.
        controls::WorkProgress progress(QStringLiteral("Die Daten werden gesichert..."), this);
        const backup::Manifest written = backup::writeBackup(m_dataPath, path, QStringLiteral(DORV_VERSION), std::ref(progress));
        QString done = QStringLiteral("Die Daten wurden gesichert in %1.").arg(shown(path));
        for (const QString &file : written.leftOut)
            done += QStringLiteral("\n\nDie Liste %1 (%2) ist beschädigt und konnte nicht gesichert werden.")
                        .arg(QFileInfo(file).completeBaseName(), shown(m_dataPath + file));
        m_dialogs.information(done);
    });
}

void TFormDorv::mnuDateiWiederherstellenClick()
{
    controls::guarded(m_dialogs, [&] {
        if (!m_currentListName.isEmpty())
            return;
        const QString path = m_dialogs.openFile(QStringLiteral("Daten wiederherstellen"), BackupFilter, documentsFolder());
        if (path.isEmpty())
            return;

        std::optional<backup::PreparedRestore> restore;
        {
            controls::WorkProgress progress(QStringLiteral("Die Datensicherung wird geprüft..."), this);
            restore.emplace(path, m_dataPath, std::ref(progress), app::restoreRules(m_dataPath));
        }
        const QString question = QStringLiteral(
            "Die Datensicherung vom %1 ersetzt alle jetzigen Daten. Die jetzigen Daten bleiben in einem Ordner "
            "„%2.vorher-…“ neben dem Datenordner erhalten.\n\nDaten wiederherstellen?")
                                     .arg(QLocale().toString(restore->manifest().created, QStringLiteral("dd.MM.yyyy HH:mm")),
                                          QDir(m_dataPath).dirName());
        if (!m_dialogs.confirm(question))
            return;

        // The windows that stay open beside the main window let go of their data; a changed
        // address is asked about as when they close. Opened again, each shows the restored data.
        m_windows.FormKunden->close();
        m_windows.FormRechnung->close();
        m_windows.FormRechnungsausgangsbuch->close();
        // No file of the folder may be open or locked while it is renamed aside: the
        // connection closes, and the lock of the data folder is taken again on the new one.
        m_dmod->DataModuleDestroy();
        m_dataLock->release();
        QString previous;
        try {
            previous = restore->commit();
        } catch (...) {
            m_dataLock->takeAgain();
            m_dmod->DataModuleCreate();
            throw;
        }
        m_dataLock->takeAgain();
        m_dmod->DataModuleCreate();
        m_dialogs.information(QStringLiteral("Die Daten wurden wiederhergestellt. Die bisherigen Daten liegen im Ordner %1.")
                                  .arg(shown(previous)));
    });
}
