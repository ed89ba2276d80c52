#pragma once

#include "harvester/ImportPlan.h"
#include "harvester/Production.h"

#include <QDialog>

#include <memory>

namespace controls { class DialogService; }
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;
namespace data { class Shell; }
class TDMod;

// The window "Harvesterdaten importieren": after a production file is read, it shows its site,
// machine and harvest dates, lets the user choose the diameters with or without bark, the
// species groups to import with the names of their new lists and the quality class of each
// product, and imports. Its figures come from harvester::ImportPlan. The new lists are not
// opened; the user opens one like any other.
class TFormHarvesterImport : public QDialog
{
    Q_OBJECT

public:
    TFormHarvesterImport(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent = nullptr);
    ~TFormHarvesterImport() override;

    static const QString DialogTitel;
    static const QString DialogFilter;

    // Asks for a file, reads it and, when it holds logs to import, shows the window modally.
    void chooseFile();
    // Reads the file and fills the window; false (with the message shown) when the file cannot
    // be imported.
    bool loadFile(const QString &path);

    // Handlers.
    void barkChanged();
    void btnImportierenClick();
    void btnAbbruchClick();

    // The columns of the table of lists.
    enum ListColumn { ColChosen, ColSpecies, ColLogs, ColVolume, ColName, ListColumns };

    QLabel *lblSite() const { return m_lblSite; }
    QLabel *lblMachine() const { return m_lblMachine; }
    QLabel *lblHarvest() const { return m_lblHarvest; }
    QLabel *lblRefused() const { return m_lblRefused; }
    QRadioButton *rbWithBark() const { return m_rbWithBark; }
    QRadioButton *rbWithoutBark() const { return m_rbWithoutBark; }
    QTableWidget *tblLists() const { return m_tblLists; }
    QTableWidget *tblQualities() const { return m_tblQualities; }
    QPushButton *btnImportieren() const { return m_btnImportieren; }
    QPushButton *btnAbbruch() const { return m_btnAbbruch; }

private:
    void createControls();
    void fillLists();
    void fillQualities();
    harvester::Bark bark() const;

    TDMod &m_dmod;
    data::Shell &m_shell;
    controls::DialogService &m_dialogs;

    harvester::Production m_production;
    std::unique_ptr<harvester::ImportPlan> m_plan;

    QLabel *m_lblSite = nullptr;
    QLabel *m_lblMachine = nullptr;
    QLabel *m_lblHarvest = nullptr;
    QLabel *m_lblRefused = nullptr;
    QRadioButton *m_rbWithBark = nullptr;
    QRadioButton *m_rbWithoutBark = nullptr;
    QTableWidget *m_tblLists = nullptr;
    QTableWidget *m_tblQualities = nullptr;
    QPushButton *m_btnImportieren = nullptr;
    QPushButton *m_btnAbbruch = nullptr;
};
