#pragma once

// The whole program on a fresh program folder, with one list open whose logs and header a
// test writes directly into the tables.
#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "engine/Transaction.h"
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
        d.dbDorv.execute(QStringLiteral("CREATE TABLE ") + m_name
                         + QStringLiteral(" ( ID INT, LAENGE INT, DURCHMEIN INT, DURCHMEFF INT, GUETEKLASSE CHAR(3),"
                                          " VOLUMEN NUMERIC(10,4), STAERKEKLASSE CHAR(3), PRIMARY KEY(ID))"));
        d.dbDorv.execute(QStringLiteral("CREATE TABLE DORVZUSATZ ( ID AUTOINC, OFFSET CHAR(25), ABTEILUNG CHAR(50), BAUMART CHAR(50),"
                                        " SORTE CHAR(50), ZUSATZTEXT CHAR(100), GESCHAELT BOOLEAN, GERUECKT BOOLEAN, Primary Key(ID))"));
        d.dbDorv.execute(QStringLiteral("INSERT INTO DORVZUSATZ ( OFFSET, ABTEILUNG, BAUMART, SORTE, ZUSATZTEXT, GESCHAELT, GERUECKT )"
                                        " VALUES ( :OFFSET, '12 B', 'Fichte', 'Stammholz', 'am Weg', :G1, :G2 )"),
                         {{QStringLiteral("OFFSET"), m_name}, {QStringLiteral("G1"), true}, {QStringLiteral("G2"), false}});
        program.FormDorv().setCurrentListName(m_name);
        // As opening a list does.
        d.qryDorvTabelle.setSql(QStringLiteral("SELECT * FROM ") + m_name);
        d.qryDorvTabelle.open();
    }

    TDMod &dmod() { return program.DMod(); }
    TFormDorv &main() { return program.FormDorv(); }
    const QString &name() const { return m_name; }

    void addLogs(const std::vector<Log> &logs)
    {
        engine::Transaction tx(dmod().dbDorv);
        for (const Log &log : logs) {
            dmod().dbDorv.execute(QStringLiteral("INSERT INTO ") + m_name
                                      + QStringLiteral(" ( ID, LAENGE, DURCHMEIN, DURCHMEFF, GUETEKLASSE, VOLUMEN, STAERKEKLASSE )"
                                                       " VALUES ( :ID, :L, :D, :DE, :GK, :V, :SK )"),
                                  {{QStringLiteral("ID"), ++m_lastId},
                                   {QStringLiteral("L"), log.laenge},
                                   {QStringLiteral("D"), log.durchmeff + 2},
                                   {QStringLiteral("DE"), log.durchmeff},
                                   {QStringLiteral("GK"), log.gueteklasse},
                                   {QStringLiteral("V"), log.volumen},
                                   {QStringLiteral("SK"), log.staerkeklasse}});
        }
        tx.commit();
        dmod().qryDorvTabelle.refresh();
    }

    ScriptedDialogService dialogs;
    ProgramFolder folder;
    DorvProgram program{dialogs, folder.path()};

private:
    QString m_name;
    int m_lastId = 0;
};
