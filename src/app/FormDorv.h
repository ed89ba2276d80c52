#pragma once

#include "data/Shell.h"

#include "app/DataLocation.h"
#include "app/DorvProgram.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class TDMod;
namespace app { class DataFolderLock; }
namespace controls { class DialogService; }

// The main window: menu, status bar and the current list, which the other windows read.
class TFormDorv : public QMainWindow, public data::Shell
{
    Q_OBJECT

public:
    // location: where the program's data and templates are (tests pass folders of their own).
    TFormDorv(controls::DialogService &dialogs, app::DataLocation location, QWidget *parent = nullptr);
    ~TFormDorv() override;

    void setDataModule(TDMod &dmod) { m_dmod = &dmod; }
    void setDataLock(app::DataFolderLock &lock) { m_dataLock = &lock; }
    void setWindows(const app::DorvWindows &windows) { m_windows = windows; }

    // Shell
    QString currentListName() const override { return m_currentListName; }
    void setCurrentListName(const QString &name) override { m_currentListName = name; }
    QString dataPath() const override { return m_dataPath; }
    QString ProgrammVerzeichnis() const override { return m_location.folders().program; }
    QString reportPath() const override { return m_location.reportPath(); }
    void SQLVorbereiten() override;
    void FuelleStatusBar(bool listOpen) override;
    void setListMenus(bool listOpen) override;

    // The three panels of the status bar sbDorv.
    QString statusPanelText(int panel) const;
    // A menu item by its name (submenus by the name of their menu); null when unknown.
    QAction *menuItem(const QString &name) const;

    // Menu handlers.
    void mnuDateiNeuClick();
    void mnuDateiOeffnenClick();
    void mnuDateiImportierenClick();
    void mnuDateiHarvesterdatenClick();
    void mnuDateiSchliessenClick();
    void mnuDateiSicherungClick();
    void mnuDateiWiederherstellenClick();
    void mnuDateiEndeClick();
    void mnuStaemmeEingebenClick();
    void mnuRechnungClick();
    void StammlisteBS1Click();
    void StammlisteDrucker1Click();
    void ZusammenfassungBildschirm1Click();
    void ZusammenfassungDrucker1Click();
    void mnuListenExportierenClick();
    void mnuListenWerkmassClick();
    void mnuStammdatenKundenClick();
    void mnuStammdatenFirmaClick();
    void mnuStammdatenPreiseClick();
    void mnuStammdatenRechnungsausgangsbuchClick();
    void mnuHilfeUeberClick();

protected:
    // The program ends with the main window: a changed customer address is asked about first.
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void createStatusBar();
    void createMenu();
    QMenu *addMenu(QMenu *parent, const QString &name, const QString &caption);
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption, void (TFormDorv::*handler)());

    controls::DialogService &m_dialogs;
    TDMod *m_dmod = nullptr;
    app::DataFolderLock *m_dataLock = nullptr;
    app::DorvWindows m_windows;
    app::DataLocation m_location;
    QString m_currentListName;
    QString m_dataPath;
    QLabel *m_panels[3] = {};
};
