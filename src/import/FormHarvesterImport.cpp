#include "import/FormHarvesterImport.h"

#include "controls/Buttons.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "controls/WorkProgress.h"
#include "data/DataModule.h"
#include "data/Shell.h"
#include "harvester/ListImport.h"
#include "harvester/ListNaming.h"
#include "harvester/ProductionReader.h"
#include "import/LegacyReader.h"
#include "rules/MeasurementRules.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

const QString TFormHarvesterImport::DialogTitel = QStringLiteral("Harvesterdaten importieren");
const QString TFormHarvesterImport::DialogFilter = QStringLiteral("Harvester-Produktionsdaten|*.hpr *.HPR|Alle Dateien|*.*");

namespace {

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QStringLiteral("unbekannt");
}

QTableWidgetItem *readOnlyItem(const QString &text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment);
    return item;
}

} // namespace

TFormHarvesterImport::TFormHarvesterImport(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormHarvesterImport"));
    setWindowTitle(QStringLiteral("Harvesterdaten importieren"));
    setModal(true);
    createControls();
    resize(640, 520);
}

TFormHarvesterImport::~TFormHarvesterImport() = default;

void TFormHarvesterImport::createControls()
{
    m_lblSite = new QLabel(this);
    m_lblMachine = new QLabel(this);
    m_lblHarvest = new QLabel(this);
    auto *facts = new QFormLayout;
    facts->addRow(QStringLiteral("Ort:"), m_lblSite);
    facts->addRow(QStringLiteral("Maschine:"), m_lblMachine);
    facts->addRow(QStringLiteral("Hiebsdatum:"), m_lblHarvest);

    m_rbWithBark = new QRadioButton(QStringLiteral("Durchmesser mit Rinde (Dorv zieht die Rinde ab)"), this);
    m_rbWithBark->setObjectName(QStringLiteral("rbMitRinde"));
    m_rbWithBark->setChecked(true);
    m_rbWithoutBark = new QRadioButton(QStringLiteral("Durchmesser ohne Rinde (Rindenabzug des Harvesters)"), this);
    m_rbWithoutBark->setObjectName(QStringLiteral("rbOhneRinde"));

    m_tblLists = new QTableWidget(0, ListColumns, this);
    m_tblLists->setObjectName(QStringLiteral("tblListen"));
    m_tblLists->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("Baumart"), QStringLiteral("Stämme"), QStringLiteral("FM"), QStringLiteral("neue Liste")});
    m_tblLists->verticalHeader()->hide();
    m_tblLists->horizontalHeader()->setSectionResizeMode(ColSpecies, QHeaderView::Stretch);
    m_tblLists->horizontalHeader()->setSectionResizeMode(ColName, QHeaderView::Stretch);

    m_tblQualities = new QTableWidget(0, 2, this);
    m_tblQualities->setObjectName(QStringLiteral("tblSorten"));
    m_tblQualities->setHorizontalHeaderLabels({QStringLiteral("Sorte"), QStringLiteral("Güteklasse")});
    m_tblQualities->verticalHeader()->hide();
    m_tblQualities->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

    m_lblRefused = new QLabel(this);
    m_lblRefused->setWordWrap(true);

    m_btnImportieren = controls::button("&Importieren", "btnImportieren", this);
    m_btnAbbruch = controls::button("&Abbruch", "btnAbbruch", this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(facts);
    layout->addWidget(m_rbWithBark);
    layout->addWidget(m_rbWithoutBark);
    layout->addWidget(m_tblLists, 3);
    layout->addWidget(m_tblQualities, 1);
    layout->addWidget(m_lblRefused);
    layout->addLayout(controls::buttonRow({m_btnImportieren, m_btnAbbruch}));

    connect(m_rbWithBark, &QRadioButton::toggled, this, &TFormHarvesterImport::barkChanged);
    connect(m_btnImportieren, &QPushButton::clicked, this, &TFormHarvesterImport::btnImportierenClick);
    connect(m_btnAbbruch, &QPushButton::clicked, this, &TFormHarvesterImport::btnAbbruchClick);
}

harvester::Bark TFormHarvesterImport::bark() const
{
    return m_rbWithoutBark->isChecked() ? harvester::Bark::Without : harvester::Bark::With;
}

void TFormHarvesterImport::chooseFile()
{
    bool loaded = false;
    controls::guarded(m_dialogs, [&] {
        const QString path = m_dialogs.openFile(DialogTitel, DialogFilter, QDir::homePath());
        if (!path.isEmpty())
            loaded = loadFile(path);
    });
    if (loaded)
        exec();
}

bool TFormHarvesterImport::loadFile(const QString &path)
{
    bool loaded = false;
    controls::guarded(m_dialogs, [&] {
        importing::requireRegularFile(path);
        {
            controls::WorkProgress progress(QStringLiteral("Die Harvesterdaten werden gelesen..."), parentWidget());
            m_production = harvester::readProductionFile(path, std::ref(progress));
        }
        m_plan = std::make_unique<harvester::ImportPlan>(m_production, bark());
        // Nothing to import over bark may still be something under it, and the other way round.
        if (m_plan->importableLogs() == 0) {
            const harvester::Bark other = bark() == harvester::Bark::With ? harvester::Bark::Without : harvester::Bark::With;
            if (harvester::ImportPlan(m_production, other).importableLogs() == 0) {
                m_dialogs.error(QStringLiteral("Die Datei %1 enthält keinen Stamm, der in eine Liste übernommen werden kann"
                                               " (nicht übernommen: %2).")
                                    .arg(QFileInfo(path).fileName(), m_plan->refusedText()));
                m_production = {};
                m_plan.reset();
                return;
            }
        }
        m_lblSite->setText(harvester::siteText(m_production));
        m_lblMachine->setText(harvester::machineText(m_production));
        m_lblHarvest->setText(m_plan->firstHarvest() == m_plan->lastHarvest()
                                  ? dateText(m_plan->firstHarvest())
                                  : QStringLiteral("%1 bis %2").arg(dateText(m_plan->firstHarvest()), dateText(m_plan->lastHarvest())));
        m_tblLists->setRowCount(0);
        m_tblQualities->setRowCount(0);
        fillLists();
        fillQualities();
        loaded = true;
    });
    return loaded;
}

void TFormHarvesterImport::fillLists()
{
    // Choices and names typed so far stay with their species group.
    QHash<QString, std::pair<bool, QString>> kept;
    QStringList names;
    for (int r = 0; r < m_tblLists->rowCount(); ++r) {
        const QString key = m_tblLists->item(r, ColSpecies)->data(Qt::UserRole).toString();
        const QString name = m_tblLists->item(r, ColName)->text();
        kept.insert(key, {m_tblLists->item(r, ColChosen)->checkState() == Qt::Checked, name});
        names << name;
    }

    const QLocale german(QLocale::German, QLocale::Germany);
    const std::vector<harvester::GroupFigures> &groups = m_plan->groups();
    m_tblLists->setRowCount(int(groups.size()));
    for (int r = 0; r < int(groups.size()); ++r) {
        const harvester::GroupFigures &g = groups[std::size_t(r)];
        QString name;
        // One import writes at most so many lists; the rest wait for a second one.
        bool chosen = r < harvester::MaxListsPerImport;
        if (const auto found = kept.constFind(g.speciesKey); found != kept.cend()) {
            chosen = found->first;
            name = found->second;
        } else {
            name = harvester::proposedListName(g.speciesName, harvester::siteText(m_production), [&](const QString &n) {
                return names.contains(n, Qt::CaseInsensitive)
                       || harvester::listNameTaken(m_dmod.dbDorv, m_shell.dataPath(), n);
            });
            names << name;
        }
        auto *check = new QTableWidgetItem;
        check->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        check->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
        m_tblLists->setItem(r, ColChosen, check);
        QTableWidgetItem *species = readOnlyItem(g.speciesName);
        species->setData(Qt::UserRole, g.speciesKey);
        m_tblLists->setItem(r, ColSpecies, species);
        m_tblLists->setItem(r, ColLogs, readOnlyItem(QString::number(g.logs), Qt::AlignRight | Qt::AlignVCenter));
        m_tblLists->setItem(r, ColVolume, readOnlyItem(german.toString(g.volume, 'f', 2), Qt::AlignRight | Qt::AlignVCenter));
        auto *nameItem = new QTableWidgetItem(name);
        nameItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        m_tblLists->setItem(r, ColName, nameItem);
    }
    m_tblLists->resizeColumnToContents(ColChosen);
    m_lblRefused->setText(QStringLiteral("Nicht übernommen: %1").arg(m_plan->refusedText()));
}

void TFormHarvesterImport::fillQualities()
{
    QHash<QString, QString> kept;
    for (int r = 0; r < m_tblQualities->rowCount(); ++r)
        kept.insert(m_tblQualities->item(r, 0)->data(Qt::UserRole).toString(),
                    static_cast<QComboBox *>(m_tblQualities->cellWidget(r, 1))->currentText());

    const std::vector<harvester::ProductRow> &products = m_plan->products();
    m_tblQualities->setRowCount(int(products.size()));
    for (int r = 0; r < int(products.size()); ++r) {
        QTableWidgetItem *name = readOnlyItem(products[std::size_t(r)].name);
        name->setData(Qt::UserRole, products[std::size_t(r)].key);
        m_tblQualities->setItem(r, 0, name);
        auto *quality = new QComboBox;
        for (const QStringView q : rules::Gueteklassen)
            quality->addItem(q.toString());
        quality->setCurrentText(kept.value(products[std::size_t(r)].key, QStringLiteral("B")));
        m_tblQualities->setCellWidget(r, 1, quality);
    }
}

void TFormHarvesterImport::barkChanged()
{
    controls::guarded(m_dialogs, [&] {
        if (!m_plan)
            return;
        m_plan = std::make_unique<harvester::ImportPlan>(m_production, bark());
        fillLists();
        fillQualities();
    });
}

void TFormHarvesterImport::btnImportierenClick()
{
    controls::guarded(m_dialogs, [&] {
        if (!m_plan)
            return;
        harvester::ImportChoice choice;
        choice.bark = bark();
        std::vector<QString> names;
        for (int r = 0; r < m_tblLists->rowCount(); ++r) {
            if (m_tblLists->item(r, ColChosen)->checkState() != Qt::Checked)
                continue;
            const QString name = m_tblLists->item(r, ColName)->text().trimmed();
            choice.lists.push_back({m_tblLists->item(r, ColSpecies)->data(Qt::UserRole).toString(), name});
            names.push_back(name);
        }
        if (choice.lists.empty()) {
            m_dialogs.information(QStringLiteral("Bitte wählen Sie mindestens eine Baumart aus."));
            return;
        }
        if (const auto refusal = harvester::refusalOfNames(m_dmod.dbDorv, m_shell.dataPath(), names)) {
            if (refusal->kind == rules::ListNameRefusal::Kind::Error)
                m_dialogs.error(refusal->text);
            else
                m_dialogs.information(refusal->text);
            return;
        }
        for (int r = 0; r < m_tblQualities->rowCount(); ++r)
            choice.qualities.insert(m_tblQualities->item(r, 0)->data(Qt::UserRole).toString(),
                                    static_cast<QComboBox *>(m_tblQualities->cellWidget(r, 1))->currentText());

        harvester::ImportCount count;
        {
            controls::WorkProgress progress(QStringLiteral("Die Harvesterdaten werden importiert..."), this);
            count = harvester::importLists(m_dmod.dbDorv, m_production, choice, std::ref(progress));
        }
        m_dialogs.information(QStringLiteral("Die Harvesterdaten wurden importiert: %1 Stämme in %2 Listen.")
                                  .arg(count.logs)
                                  .arg(count.lists));
        m_production = {};
        m_plan.reset();
        accept();
    });
}

void TFormHarvesterImport::btnAbbruchClick()
{
    controls::guarded(m_dialogs, [&] {
        m_production = {};
        m_plan.reset();
        reject();
    });
}
