#pragma once

// The invoice window with its search window on a fresh program folder, the list "Wald" current,
// whose logs a test writes directly into the list table.
#include "controls/ScriptedDialogService.h"
#include "data/DataModule.h"
#include "invoicing/FormMatchcode.h"
#include "invoicing/FormRechnung.h"
#include "support/ListBuilder.h"
#include "support/WindowBed.h"

#include <QDateEdit>
#include <QDateTime>
#include <QLineEdit>
#include <QLocale>
#include <QVariant>

class RechnungWindow
{
public:
    RechnungWindow()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        testlists::addList(dmod().dbDorv, QStringLiteral("Wald"), testlists::sampleHeader());
        bed.shell.setCurrentListName(QStringLiteral("Wald"));
        m_form.setMatchcodeWindow(&search);
    }

    TDMod &dmod() { return bed.dmod; }
    TFormRechnung &form() { return m_form; }

    void execute(const char *sql, const engine::Params &params = {}) { dmod().dbDorv.execute(QString::fromUtf8(sql), params); }

    void addLog(const char *gk, const char *sk, double volumen)
    {
        ++m_lastId;
        testlists::addLogs(dmod().dbDorv, QStringLiteral("Wald"),
                           {{m_lastId, 10, 40, 38, QString::fromLatin1(gk), volumen, QString::fromLatin1(sk)}});
    }

    void setBasePrice(const char *gk, const char *sk, double preis)
    {
        execute("UPDATE Grundpreise SET PREIS = :P WHERE GUETEKLASSE = :GK AND STAERKEKLASSE = :SK",
                {{QStringLiteral("P"), preis}, {QStringLiteral("GK"), QString::fromLatin1(gk)}, {QStringLiteral("SK"), QString::fromLatin1(sk)}});
    }

    // Changes the company row; the company query stays open, as in the program.
    void setFirma(const char *assignments, const engine::Params &params = {})
    {
        execute((QByteArray("UPDATE Firma SET ") + assignments).constData(), params);
        dmod().qryFirma.refresh();
    }

    void addKunde(const char *nr, const char *firma, const QVariant &skonto, const QVariant &skontotage, const QVariant &nettotage)
    {
        execute("INSERT INTO Kunden ( ID, NRKD, SUCHNAME, FIRMA, VORNAME, NAME, STRASSE, LAND, PLZ, ORT, SKONTO, SKONTOTAGE, NETTOTAGE )"
                " VALUES ( (SELECT MAX(ID) + 1 FROM Kunden), :NR, 'SUCH', :FIRMA, 'Anna', 'Holz', 'Am Hang 2', '',"
                " '57392', 'Schmallenberg', :SKONTO, :SKONTOTAGE, :NETTOTAGE )",
                {{QStringLiteral("NR"), QString::fromLatin1(nr)},
                 {QStringLiteral("FIRMA"), QString::fromUtf8(firma)},
                 {QStringLiteral("SKONTO"), skonto},
                 {QStringLiteral("SKONTOTAGE"), skontotage},
                 {QStringLiteral("NETTOTAGE"), nettotage}});
    }

    // Types a customer number and leaves the field, as the user does.
    void chooseCustomer(const char *nr)
    {
        form().edtKundenNr->setText(QString::fromLatin1(nr));
        form().edtKundenNrExit();
    }

    // The invoice as the preview would show it, printed on the given day.
    QString invoiceDump(const QDate &day = QDate(2024, 11, 8))
    {
        form().dtpRechnungsdatum->setDate(day);
        std::optional<invoicing::PreparedInvoice> r = form().RechnungVorbereiten();
        if (!r)
            return {};
        r->printout.report().setPrintDateTime(QDateTime(day, QTime(9, 5)));
        return r->printout.report().dump();
    }

    controls::ScriptedDialogService dialogs;
    WindowBed bed{dialogs};
    const ProgramFolder &folder = bed.folder;
    TFormMatchcode search{bed.dmod, bed.shell, dialogs, &bed.mainWindow};

private:
    TFormRechnung m_form{bed.dmod, bed.shell, dialogs, &bed.mainWindow};
    int m_lastId = 0;
};
