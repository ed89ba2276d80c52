#include "import/FormImport.h"

#include "controls/Buttons.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "controls/TabOrder.h"
#include "data/DataModule.h"
#include "data/Shell.h"
#include "import/LegacyReader.h"
#include "import/ListImporter.h"

#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

const QString TFormImport::AlterOrdner = QStringLiteral("c:\\dorv_v20\\daten");
const QString TFormImport::DialogTitel = QStringLiteral("Bitte wählen Sie eine frühere Dorvliste aus");
const QString TFormImport::DialogFilter =
    QStringLiteral("Dorvlisten aus Versionen bis Dorv V2.0|*.dvz|alle Dateien|*.*");

namespace {

constexpr int ClientWidth = 442;
constexpr int ClientHeight = 127;
// The progress window appears only when the import takes longer than this.
constexpr int ProgressDelayMs = 500;
constexpr int ProgressSteps = 1000;

} // namespace

TFormImport::TFormImport(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormImport"));
    setWindowTitle(QStringLiteral("Datenimport für Listen bis Dorv V2.0"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    createControls();
    setFixedSize(ClientWidth, ClientHeight);
}

void TFormImport::createControls()
{
    auto *lblAlteDatei = new QLabel(QStringLiteral("alte Liste:"), this);
    auto *lblNeueDatei = new QLabel(QStringLiteral("neue Liste:"), this);

    // Filled only by the file dialog: the user can neither type into it nor tab to it.
    m_edtAlteDatei = new QLineEdit(this);
    m_edtAlteDatei->setObjectName(QStringLiteral("edtAlteDatei"));
    m_edtAlteDatei->setReadOnly(true);
    m_edtAlteDatei->setEnabled(false);
    m_edtAlteDatei->setFocusPolicy(Qt::NoFocus);
    QPalette pale = m_edtAlteDatei->palette();
    const QColor paleYellow(255, 255, 225);
    pale.setColor(QPalette::Active, QPalette::Base, paleYellow);
    pale.setColor(QPalette::Inactive, QPalette::Base, paleYellow);
    pale.setColor(QPalette::Disabled, QPalette::Base, paleYellow);
    // The chosen path stays readable although the edit is disabled.
    pale.setColor(QPalette::Disabled, QPalette::Text, pale.color(QPalette::Active, QPalette::Text));
    m_edtAlteDatei->setPalette(pale);
    m_edtAlteDatei->setAutoFillBackground(true);

    m_btnDateiOeffnen = controls::button("...", "btnDateiOeffnen", this);
    m_btnDateiOeffnen->setFixedWidth(m_btnDateiOeffnen->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);

    m_edtNeueDatei = new QLineEdit(this);
    m_edtNeueDatei->setObjectName(QStringLiteral("edtNeueDatei"));
    lblAlteDatei->setBuddy(m_btnDateiOeffnen);
    lblNeueDatei->setBuddy(m_edtNeueDatei);

    m_btnImport = controls::button("&Import", "btnImport", this);
    m_btnImport->setEnabled(false);
    m_btnAbbruch = controls::button("&Abbruch", "btnAbbruch", this);

    auto *fields = new QGridLayout;
    fields->addWidget(lblAlteDatei, 0, 0);
    fields->addWidget(m_edtAlteDatei, 0, 1);
    fields->addWidget(m_btnDateiOeffnen, 0, 2);
    fields->addWidget(lblNeueDatei, 1, 0);
    fields->addWidget(m_edtNeueDatei, 1, 1);
    fields->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(controls::buttonRow({m_btnImport, m_btnAbbruch}));

    controls::tabOrder({m_btnDateiOeffnen, m_edtNeueDatei, m_btnImport, m_btnAbbruch});

    connect(m_btnDateiOeffnen, &QPushButton::clicked, this, &TFormImport::btnDateiOeffnenClick);
    connect(m_edtAlteDatei, &QLineEdit::textChanged, this, &TFormImport::edtAlteDateiChange);
    connect(m_edtNeueDatei, &QLineEdit::textChanged, this, &TFormImport::edtAlteDateiChange);
    connect(m_btnImport, &QPushButton::clicked, this, &TFormImport::btnImportClick);
    connect(m_btnAbbruch, &QPushButton::clicked, this, &TFormImport::btnAbbruchClick);
}

void TFormImport::FormShow()
{
    controls::guarded(m_dialogs, [&] {
        if (const QScreen *s = screen())
            move(s->availableGeometry().center() - rect().center());
        m_edtAlteDatei->clear();
        m_edtNeueDatei->clear();
        m_btnDateiOeffnen->setFocus();
    });
}

void TFormImport::btnDateiOeffnenClick()
{
    controls::guarded(m_dialogs, [&] {
        // The folder where version 2.0 kept its lists, where there is one.
        const QString folder = QDir(AlterOrdner).exists() ? AlterOrdner : QDir::homePath();
        const QString path = m_dialogs.openFile(DialogTitel, DialogFilter, folder);
        if (path.isEmpty())
            return;
        m_edtAlteDatei->setText(QDir::toNativeSeparators(path));
        m_edtNeueDatei->setText(importing::DateinameOhneEndung(path));
    });
}

void TFormImport::edtAlteDateiChange()
{
    controls::guarded(m_dialogs, [&] {
        m_btnImport->setEnabled(!m_edtAlteDatei->text().isEmpty() && !m_edtNeueDatei->text().isEmpty());
    });
}

void TFormImport::btnImportClick()
{
    controls::guarded(m_dialogs, [&] {
        const QString path = QDir::fromNativeSeparators(m_edtAlteDatei->text());
        const QString listName = m_edtNeueDatei->text();
        if (!importing::ImportPruefen(m_dmod.dbDorv, m_dialogs, m_shell.dataPath(), path, listName))
            return;
        importWithProgress(path, listName);
        m_dialogs.information(QStringLiteral("Die Daten wurden erfolgreich importiert!"));
        close();
    });
}

void TFormImport::btnAbbruchClick()
{
    controls::guarded(m_dialogs, [&] { close(); });
}

void TFormImport::importWithProgress(const QString &path, const QString &listName)
{
    QProgressDialog progress(QStringLiteral("Die Liste wird importiert..."), QString(), 0, ProgressSteps, this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(ProgressDelayMs);
    progress.setCancelButton(nullptr);
    progress.setValue(0);
    importing::ListeImportieren(m_dmod.dbDorv, path, listName, [&](qint64 done, qint64 total) {
        if (total > 0)
            progress.setValue(int(done * ProgressSteps / total));
    });
    progress.setValue(ProgressSteps);
}
