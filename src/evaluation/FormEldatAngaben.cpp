#include "evaluation/FormEldatAngaben.h"

#include "controls/Buttons.h"
#include "controls/Captions.h"
#include "controls/DialogService.h"
#include "export/EldatChecks.h"
#include "export/EldatCodes.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The longest pile number ELDATsmart takes.
constexpr int maxPileNumber = 36;

QComboBox *codeBox(const char *name, const std::vector<exporting::CodeName> &entries, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (const exporting::CodeName &e : entries)
        box->addItem(QStringLiteral("%1 (%2)").arg(e.name, e.code), e.code);
    return box;
}

QLineEdit *edit(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

} // namespace

TFormEldatAngaben::TFormEldatAngaben(controls::DialogService &dialogs, QWidget *parent) : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormEldatAngaben"));
    setWindowTitle(QStringLiteral("ELDAT-Angaben"));

    m_lblListe = new QLabel(this);
    m_lblListe->setObjectName(QStringLiteral("lblListe"));
    m_lblListe->setWordWrap(true);
    m_dtpHiebsdatum = new QDateEdit(this);
    m_dtpHiebsdatum->setObjectName(QStringLiteral("dtpHiebsdatum"));
    m_dtpHiebsdatum->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_dtpHiebsdatum->setCalendarPopup(true);
    m_edtPolternummer = edit("edtPolternummer", this);
    m_edtPolternummer->setMaxLength(maxPileNumber);
    m_edtBreitengrad = edit("edtBreitengrad", this);
    m_edtBreitengrad->setPlaceholderText(QStringLiteral("z. B. 49,8686"));
    m_edtLaengengrad = edit("edtLaengengrad", this);
    m_edtLaengengrad->setPlaceholderText(QStringLiteral("z. B. 8,9161"));
    m_cmbHolzart = codeBox("cmbHolzart", exporting::commonSpecies(), this);
    m_cmbHolzart->setPlaceholderText(QStringLiteral("Bitte wählen"));
    m_cmbSorte = codeBox("cmbSorte", exporting::grades(), this);
    m_cmbVerwendung = codeBox("cmbVerwendung", exporting::uses(), this);

    auto *form = new QFormLayout;
    form->addRow(controls::caption("&Hiebsdatum:", m_dtpHiebsdatum, this), m_dtpHiebsdatum);
    form->addRow(controls::caption("&Polternummer:", m_edtPolternummer, this), m_edtPolternummer);
    form->addRow(controls::caption("&Breitengrad (WGS 84):", m_edtBreitengrad, this), m_edtBreitengrad);
    form->addRow(controls::caption("&Längengrad (WGS 84):", m_edtLaengengrad, this), m_edtLaengengrad);
    form->addRow(controls::caption("Holza&rt:", m_cmbHolzart, this), m_cmbHolzart);
    form->addRow(controls::caption("&Sorte:", m_cmbSorte, this), m_cmbSorte);
    form->addRow(controls::caption("&Verwendung:", m_cmbVerwendung, this), m_cmbVerwendung);

    const controls::ConfirmRow buttons = controls::confirmRow("&OK", "btnOk", this);
    connect(buttons.confirm, &QPushButton::clicked, this, &TFormEldatAngaben::btnOkClick);
    connect(buttons.cancel, &QPushButton::clicked, this, &TFormEldatAngaben::btnAbbruchClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblListe);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addLayout(buttons.row);
    resize(420, 300);
}

std::optional<values::EldatFacts> TFormEldatAngaben::ask(const values::ListHeader &header, const values::EldatFacts &offered)
{
    setFacts(header, offered);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return facts();
}

void TFormEldatAngaben::select(QComboBox *box, const QString &code, const QString &name)
{
    int index = box->findData(code);
    if (index < 0 && !code.isEmpty()) {
        // A code the choice does not offer (a rarer species found by its name) is added.
        box->addItem(QStringLiteral("%1 (%2)").arg(name.isEmpty() ? code : name, code), code);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

void TFormEldatAngaben::setFacts(const values::ListHeader &header, const values::EldatFacts &offered)
{
    m_offered = offered;
    m_baumart = header.species;
    QString about = QStringLiteral("Liste: ") + header.name;
    if (!header.species.isEmpty())
        about += QStringLiteral(", Baumart: ") + header.species;
    if (!header.assortment.isEmpty())
        about += QStringLiteral(", Sorte: ") + header.assortment;
    m_lblListe->setText(about);
    m_dtpHiebsdatum->setDate(offered.fellingDate.isValid() ? offered.fellingDate : QDate::currentDate());
    m_edtPolternummer->setText(offered.pileNumber);
    m_edtBreitengrad->setText(offered.latitude ? exporting::coordinateText(*offered.latitude) : QString());
    m_edtLaengengrad->setText(offered.longitude ? exporting::coordinateText(*offered.longitude) : QString());
    select(m_cmbHolzart, offered.species, exporting::speciesName(offered.species));
    select(m_cmbSorte, offered.grade.isEmpty() ? QStringLiteral("st") : offered.grade, {});
    select(m_cmbVerwendung, offered.use.isEmpty() ? QStringLiteral("sg") : offered.use, {});
    m_edtPolternummer->setFocus();
}

values::EldatFacts TFormEldatAngaben::facts() const
{
    values::EldatFacts f = m_offered;
    f.fellingDate = m_dtpHiebsdatum->date();
    f.pileNumber = m_edtPolternummer->text().trimmed();
    f.latitude = exporting::checkCoordinate(m_edtBreitengrad->text(), exporting::Axis::Latitude).value;
    f.longitude = exporting::checkCoordinate(m_edtLaengengrad->text(), exporting::Axis::Longitude).value;
    f.species = m_cmbHolzart->currentData().toString();
    f.speciesFor = m_baumart;
    f.grade = m_cmbSorte->currentData().toString();
    f.use = m_cmbVerwendung->currentData().toString();
    return f;
}

bool TFormEldatAngaben::check()
{
    const auto refuse = [this](QWidget *field, const QString &message) {
        m_dialogs.error(message);
        field->setFocus();
        return false;
    };
    if (m_edtPolternummer->text().trimmed().isEmpty())
        return refuse(m_edtPolternummer, QStringLiteral("Bitte die Nummer des Polters eingeben."));
    const auto latitude = exporting::checkCoordinate(m_edtBreitengrad->text(), exporting::Axis::Latitude);
    if (!latitude.value)
        return refuse(m_edtBreitengrad, latitude.message);
    const auto longitude = exporting::checkCoordinate(m_edtLaengengrad->text(), exporting::Axis::Longitude);
    if (!longitude.value)
        return refuse(m_edtLaengengrad, longitude.message);
    if (m_cmbHolzart->currentIndex() < 0)
        return refuse(m_cmbHolzart, QStringLiteral("Bitte die Holzart wählen."));
    return true;
}

void TFormEldatAngaben::btnOkClick()
{
    if (check())
        accept();
}

void TFormEldatAngaben::btnAbbruchClick()
{
    reject();
}
