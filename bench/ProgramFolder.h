#pragma once

#include "data/DeliveredTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// A program folder as the build lays it out: Daten/ with the delivered tables, Report/ with
// the shipped templates, both from the sources beside this folder.
struct ProgramFolder
{
    QTemporaryDir dir;

    ProgramFolder()
    {
        const QString sources = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/..");
        QDir root(dir.path());
        root.mkdir(QStringLiteral("Daten"));
        root.mkdir(QStringLiteral("Report"));
        data::createDeliveredTables(dataPath(), sources + QStringLiteral("/data"));
        const QDir templates(sources + QStringLiteral("/report"));
        for (const QString &file : templates.entryList({QStringLiteral("*.rtm")}, QDir::Files))
            QFile::copy(templates.filePath(file), dir.path() + QStringLiteral("/Report/") + file);
    }

    QString dataPath() const { return dir.path() + QStringLiteral("/Daten/"); }
};
