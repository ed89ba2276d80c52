// The main menu of the main window and its handlers.

#include "app/FormDorv.h"

#include "app/FormLaden.h"
#include "app/FormNeu.h"
#include "app/FormUeberDorv.h"
#include "controls/ErrorGuard.h"
#include "entry/FormStammeingabe.h"
#include "evaluation/FormZusammenfasssung.h"
#include "evaluation/ListExport.h"
#include "evaluation/ListReports.h"
#include "evaluation/MillCheck.h"
#include "import/FormHarvesterImport.h"
#include "import/FormImport.h"
#include "invoicing/FormFirma.h"
#include "invoicing/FormGrundpreise.h"
#include "invoicing/FormKunden.h"
#include "invoicing/FormRechnung.h"
#include "invoicing/FormRechnungsausgangsbuch.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QMenu *TFormDorv::addMenu(QMenu *parent, const QString &name, const QString &caption)
{
    QMenu *menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction *TFormDorv::addItem(QMenu *menu, const QString &name, const QString &caption, void (TFormDorv::*handler)())
{
    QAction *action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TFormDorv::createMenu()
{
    menuBar()->setObjectName(QStringLiteral("mnuMain"));

    QMenu *datei = addMenu(nullptr, QStringLiteral("mnuDatei"), QStringLiteral("&Datei"));
    addItem(datei, QStringLiteral("mnuDateiNeu"), QStringLiteral("&Neu..."), &TFormDorv::mnuDateiNeuClick);
    addItem(datei, QStringLiteral("mnuDateiOeffnen"), QStringLiteral("&Öffnen..."), &TFormDorv::mnuDateiOeffnenClick);
    QAction *import = addItem(datei, QStringLiteral("mnuDateiImportieren"), QStringLiteral("&Importieren..."),
                              &TFormDorv::mnuDateiImportierenClick);
    // The hint is kept with the item; the main window shows no menu hints in its status bar.
    import->setToolTip(QStringLiteral("aus einer früheren Version Importieren"));
    addItem(datei, QStringLiteral("mnuDateiHarvesterdaten"), QStringLiteral("&Harvesterdaten importieren..."),
            &TFormDorv::mnuDateiHarvesterdatenClick);
    addItem(datei, QStringLiteral("mnuDateiSchliessen"), QStringLiteral("&Schließen"), &TFormDorv::mnuDateiSchliessenClick);
    datei->addSeparator()->setObjectName(QStringLiteral("mnuDateiDummy2"));
    addItem(datei, QStringLiteral("mnuDateiSicherung"), QStringLiteral("Daten&sicherung..."), &TFormDorv::mnuDateiSicherungClick);
    addItem(datei, QStringLiteral("mnuDateiWiederherstellen"), QStringLiteral("Daten wieder&herstellen..."),
            &TFormDorv::mnuDateiWiederherstellenClick);
    QAction *separator = datei->addSeparator();
    separator->setObjectName(QStringLiteral("mnuDateiDummy1"));
    addItem(datei, QStringLiteral("mnuDateiEnde"), QStringLiteral("&Ende"), &TFormDorv::mnuDateiEndeClick);

    QMenu *staemme = addMenu(nullptr, QStringLiteral("mnuStaemme"), QStringLiteral("&Stämme"));
    addItem(staemme, QStringLiteral("mnuStaemmeEingeben"), QStringLiteral("&Eingeben"), &TFormDorv::mnuStaemmeEingebenClick);

    addItem(nullptr, QStringLiteral("mnuRechnung"), QStringLiteral("Rechnung"), &TFormDorv::mnuRechnungClick);

    QMenu *listen = addMenu(nullptr, QStringLiteral("mnuListen"), QStringLiteral("&Listen"));
    addItem(listen, QStringLiteral("StammlisteBS1"), QStringLiteral("&Stammliste Bildschirm"), &TFormDorv::StammlisteBS1Click);
    addItem(listen, QStringLiteral("StammlisteDrucker1"), QStringLiteral("S&tammliste Drucker"), &TFormDorv::StammlisteDrucker1Click);
    addItem(listen, QStringLiteral("ZusammenfassungBildschirm1"), QStringLiteral("&Zusammenfassung Bildschirm"),
            &TFormDorv::ZusammenfassungBildschirm1Click);
    addItem(listen, QStringLiteral("ZusammenfassungDrucker1"), QStringLiteral("Z&usammenfassung Drucker"),
            &TFormDorv::ZusammenfassungDrucker1Click);
    listen->addSeparator()->setObjectName(QStringLiteral("mnuListenDummy1"));
    addItem(listen, QStringLiteral("mnuListenExportieren"), QStringLiteral("&Exportieren..."), &TFormDorv::mnuListenExportierenClick);
    addItem(listen, QStringLiteral("mnuListenWerkmass"), QStringLiteral("&Werkmaß prüfen..."), &TFormDorv::mnuListenWerkmassClick);

    QMenu *stammdaten = addMenu(nullptr, QStringLiteral("mnuStammdaten"), QStringLiteral("S&tammdaten"));
    addItem(stammdaten, QStringLiteral("mnuStammdatenKunden"), QStringLiteral("&Kunden"), &TFormDorv::mnuStammdatenKundenClick);
    addItem(stammdaten, QStringLiteral("mnuStammdatenFirma"), QStringLiteral("&Firma"), &TFormDorv::mnuStammdatenFirmaClick);
    addItem(stammdaten, QStringLiteral("mnuStammdatenPreise"), QStringLiteral("&Preise"), &TFormDorv::mnuStammdatenPreiseClick);
    addItem(stammdaten, QStringLiteral("mnuStammdatenRechnungsausgangsbuch"), QStringLiteral("Rechnungs&ausgangsbuch"),
            &TFormDorv::mnuStammdatenRechnungsausgangsbuchClick);

    QMenu *hilfe = addMenu(nullptr, QStringLiteral("mnuHilfe"), QStringLiteral("&Hilfe"));
    addItem(hilfe, QStringLiteral("mnuHilfeUeber"), QStringLiteral("&Über..."), &TFormDorv::mnuHilfeUeberClick);

    setListMenus(false);
}

QAction *TFormDorv::menuItem(const QString &name) const
{
    return menuBar()->findChild<QAction *>(name);
}

void TFormDorv::setListMenus(bool listOpen)
{
    for (const char *name : {"mnuDateiSchliessen", "mnuStaemme", "mnuListen", "mnuRechnung"})
        menuItem(QString::fromLatin1(name))->setEnabled(listOpen);
    // Importing and restoring are offered only while no list is open.
    for (const char *name : {"mnuDateiImportieren", "mnuDateiHarvesterdaten", "mnuDateiWiederherstellen"})
        menuItem(QString::fromLatin1(name))->setEnabled(!listOpen);
}

void TFormDorv::mnuDateiNeuClick()
{
    controls::guarded(m_dialogs, [&] {
        m_windows.FormNeu->exec();
        // However the window was closed, the queries are prepared on the current list again.
        SQLVorbereiten();
    });
}

void TFormDorv::mnuDateiOeffnenClick()
{
    controls::guarded(m_dialogs, [&] { m_windows.FormLaden->exec(); });
}

void TFormDorv::mnuDateiImportierenClick()
{
    controls::guarded(m_dialogs, [&] { m_windows.FormImport->exec(); });
}

void TFormDorv::mnuDateiHarvesterdatenClick()
{
    controls::guarded(m_dialogs, [&] { m_windows.FormHarvesterImport->chooseFile(); });
}

void TFormDorv::mnuDateiSchliessenClick()
{
    controls::guarded(m_dialogs, [&] {
        // The queries stay as they are; the next list opened or created re-points them.
        setCurrentListName(QString());
        FuelleStatusBar(false);
        setListMenus(false);
    });
}

void TFormDorv::mnuDateiEndeClick()
{
    controls::guarded(m_dialogs, [&] {
        if (menuItem(QStringLiteral("mnuDateiSchliessen"))->isEnabled())
            mnuDateiSchliessenClick();
        close();
    });
}

void TFormDorv::mnuStaemmeEingebenClick()
{
    controls::guarded(m_dialogs, [&] {
        m_windows.FormStammeingabe->setMode(StammeingabeMode::Eingabe);
        m_windows.FormStammeingabe->exec();
    });
}

void TFormDorv::StammlisteBS1Click()
{
    controls::guarded(m_dialogs, [&] {
        m_windows.FormStammeingabe->setMode(StammeingabeMode::Uebersicht);
        m_windows.FormStammeingabe->exec();
    });
}

void TFormDorv::mnuRechnungClick()
{
    controls::guarded(m_dialogs, [&] { m_windows.FormRechnung->show(); });
}

void TFormDorv::StammlisteDrucker1Click()
{
    controls::guarded(m_dialogs, [&] { StammlisteDrucken(*m_dmod, *this, QStringLiteral("Screen"), this); });
}

void TFormDorv::ZusammenfassungBildschirm1Click()
{
    controls::guarded(m_dialogs, [&] { m_windows.FormZusammenfasssung->exec(); });
}

void TFormDorv::ZusammenfassungDrucker1Click()
{
    controls::guarded(m_dialogs, [&] { ZusammenfassungDrucken(*m_dmod, *this, QStringLiteral("Screen"), this); });
}

void TFormDorv::mnuListenExportierenClick()
{
    controls::guarded(m_dialogs, [&] { m_windows.listExport->ListeExportieren(); });
}

void TFormDorv::mnuListenWerkmassClick()
{
    controls::guarded(m_dialogs, [&] { m_windows.millCheck->WerkmassPruefen(); });
}

void TFormDorv::mnuStammdatenKundenClick()
{
    controls::guarded(m_dialogs, [&] { m_windows.FormKunden->show(); });
}

void TFormDorv::mnuStammdatenFirmaClick()
{
    controls::guarded(m_dialogs, [&] { m_windows.FormFirma->exec(); });
}

void TFormDorv::mnuStammdatenPreiseClick()
{
    controls::guarded(m_dialogs, [&] { m_windows.FormGrundpreise->exec(); });
}

void TFormDorv::mnuStammdatenRechnungsausgangsbuchClick()
{
    controls::guarded(m_dialogs, [&] {
        TFormRechnungsausgangsbuch *window = m_windows.FormRechnungsausgangsbuch;
        window->show();
        window->raise();
        window->activateWindow();
    });
}

void TFormDorv::mnuHilfeUeberClick()
{
    controls::guarded(m_dialogs, [&] { m_windows.FormUeberDorv->exec(); });
}
