#include "support/ProgramFolder.h"

#include "data/DeliveredTables.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

ProgramFolder::ProgramFolder()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary program folder");
    QDir root(m_dir.path());
    root.mkdir(QStringLiteral("Daten"));
    root.mkdir(QStringLiteral("Report"));
    data::createDeliveredTables(dataPath(), QStringLiteral(DORV_DATA_SQL_DIR));
    const QDir templates(QStringLiteral(DORV_REPORT_DIR));
    for (const QString &file : templates.entryList({QStringLiteral("*.rtm")}, QDir::Files))
        QFile::copy(templates.filePath(file), reportPath() + file);
}
