#pragma once

// The whole program on a fresh program folder, with one list open whose logs and header a
// test writes directly into the tables.
#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "support/ListBuilder.h"
#include "support/ProgramFolder.h"

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

class ListProgram
{
public:
    explicit ListProgram(const QString &listName = QStringLiteral("Wald")) : m_name(listName)
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TDMod &d = dmod();
        testlists::addList(d.dbDorv, m_name, testlists::sampleHeader());
        program.FormDorv().setCurrentListName(m_name);
        // As opening a list does.
        d.qryDorvTabelle.setSql(data::loglist::logsSql(m_name));
        d.qryDorvTabelle.open();
    }

    TDMod &dmod() { return program.DMod(); }
    TFormDorv &main() { return program.FormDorv(); }
    const QString &name() const { return m_name; }

    void addLogs(const std::vector<Log> &logs)
    {
        std::vector<testlists::StoredLog> stored;
        for (const Log &log : logs)
            stored.push_back({++m_lastId, log.laenge, log.durchmeff + 2, log.durchmeff, log.gueteklasse, log.volumen,
                              log.staerkeklasse});
        testlists::addLogs(dmod().dbDorv, m_name, stored);
        dmod().qryDorvTabelle.refresh();
    }

    ScriptedDialogService dialogs;
    ProgramFolder folder;
    DorvProgram program{dialogs, folder.path()};

private:
    QString m_name;
    int m_lastId = 0;
};
