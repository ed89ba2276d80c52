#pragma once

#include "data/DataModule.h"
#include "data/Shell.h"

#include <QStringList>

// A main window stand-in for tests of the layers below it: it records the calls it gets. Given
// the data module, it also points the list queries at its current list, as the main window does.
class TestShell : public data::Shell
{
public:
    explicit TestShell(QString dataPath = {}) : m_dataPath(std::move(dataPath)) {}

    QString currentListName() const override { return m_list; }
    void setCurrentListName(const QString &name) override { m_list = name; }
    QString dataPath() const override { return m_dataPath; }
    QString ProgrammVerzeichnis() const override { return programFolder; }
    void SQLVorbereiten() override
    {
        calls << QStringLiteral("SQLVorbereiten");
        if (dataModule)
            dataModule->prepareListQueries(m_list);
    }
    void FuelleStatusBar(bool listOpen) override
    {
        calls << (listOpen ? QStringLiteral("FuelleStatusBar(true)") : QStringLiteral("FuelleStatusBar(false)"));
    }
    void setListMenus(bool listOpen) override { calls << (listOpen ? QStringLiteral("menus open") : QStringLiteral("menus closed")); }

    QString programFolder;
    TDMod *dataModule = nullptr;
    QStringList calls;

private:
    QString m_list;
    QString m_dataPath;
};
