#pragma once

// One list open on a fresh program folder, whose logs and header a test writes directly into
// the tables: on the data module alone (`ListWindow`) or in the whole program (`ListProgram`).
#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "support/ListBuilder.h"
#include "support/ProgramFolder.h"
#include "support/WindowBed.h"

#include <QLocale>
#include <QVariant>

struct Log
{
    int laenge;
    int durchmeff;
    QVariant gueteklasse;
    double volumen;
    QVariant staerkeklasse;
};

// The list with the sample header, made current and opened as opening a list does.
class OpenList
{
public:
    OpenList(TDMod &dmod, data::Shell &shell, const QString &name) : m_dmod(dmod), m_name(name)
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        testlists::addList(dmod.dbDorv, m_name, testlists::sampleHeader());
        testlists::open(dmod, shell, m_name);
    }

    void addLogs(const std::vector<Log> &logs)
    {
        std::vector<testlists::StoredLog> stored;
        for (const Log &log : logs)
            stored.push_back({++m_lastId, log.laenge, log.durchmeff + 2, log.durchmeff, log.gueteklasse, log.volumen,
                              log.staerkeklasse});
        testlists::addLogs(m_dmod.dbDorv, m_name, stored);
        m_dmod.qryDorvTabelle.refresh();
    }

private:
    TDMod &m_dmod;
    QString m_name;
    int m_lastId = 0;
};

// The list on the data module, with a stand-in for the main window: for the list's windows
// and commands.
class ListWindow
{
public:
    explicit ListWindow(const QString &listName = QStringLiteral("Wald")) : m_list(bed.dmod, bed.shell, listName) {}

    TDMod &dmod() { return bed.dmod; }
    data::Shell &shell() { return bed.shell; }
    QWidget &mainWindow() { return bed.mainWindow; }
    void addLogs(const std::vector<Log> &logs) { m_list.addLogs(logs); }

    controls::ScriptedDialogService dialogs;
    WindowBed bed{dialogs};
    const ProgramFolder &folder = bed.folder;

private:
    OpenList m_list;
};

// The list in the whole program: for what the main window's menus and status bar do with it.
class ListProgram
{
public:
    explicit ListProgram(const QString &listName = QStringLiteral("Wald")) : m_list(program.DMod(), program.FormDorv(), listName) {}

    TDMod &dmod() { return program.DMod(); }
    data::Shell &shell() { return program.FormDorv(); }
    QWidget &mainWindow() { return program.FormDorv(); }
    TFormDorv &main() { return program.FormDorv(); }
    void addLogs(const std::vector<Log> &logs) { m_list.addLogs(logs); }

    controls::ScriptedDialogService dialogs;
    ProgramFolder folder;
    app::DorvProgram program{dialogs, folder.path()};

private:
    OpenList m_list;
};
