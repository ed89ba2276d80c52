#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh program folder for tests that start the whole program: Daten/ with the delivered
// tables and Report/ with the shipped templates. It disappears with the object.
class ProgramFolder
{
public:
    ProgramFolder();
    QString path() const { return m_dir.path(); } // without trailing separator
    QString dataPath() const { return path() + QStringLiteral("/Daten/"); }
    QString reportPath() const { return path() + QStringLiteral("/Report/"); }

private:
    QTemporaryDir m_dir;
};
