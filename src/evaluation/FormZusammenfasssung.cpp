#include "evaluation/FormZusammenfasssung.h"

#include "controls/Buttons.h"
#include "controls/ColumnWidth.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "data/DataModule.h"
#include "data/Shell.h"
#include "evaluation/Summary.h"
#include "values/DisplayFormat.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QStringList qualityClasses{QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("Cgw")};
const QStringList diameterClasses{QStringLiteral("0"),  QStringLiteral("1a"), QStringLiteral("1b1"), QStringLiteral("1b2"),
                                  QStringLiteral("2a"), QStringLiteral("2b"), QStringLiteral("3a"),  QStringLiteral("3b"),
                                  QStringLiteral("4"),  QStringLiteral("5")};

constexpr int countWidth = 40;
constexpr int volumeWidth = 60;
constexpr int sumCountWidth = 45;
constexpr int sumVolumeWidth = 70;

// Grid columns: 0 the row labels, then count and volume of B, C, Cgw and of the sum group.
int countColumn(int group)
{
    return 1 + 2 * group;
}

// The list's volume total of diameter class 5 carries this spelling of its name.
QString volumeTotalName(const QString &diameter)
{
    return diameter == u"5" ? QStringLiteral("StV5") : QStringLiteral("stV") + diameter;
}

} // namespace

TFormZusammenfasssung::TFormZusammenfasssung(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormZusammenfasssung"));
    setWindowTitle(QStringLiteral("Zusammenfasssung Bildschirm"));
    buildLayout();
    resize(613, 454);
}

QLabel *TFormZusammenfasssung::addLabel(const QString &name, const QString &text, Role role, bool isCount, const QString &quality,
                                        const QString &diameter)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    QFont font = label->font();
    if (role == Role::Pair) {
        palette.setColor(QPalette::Window, Qt::white);
        label->setProperty("tag", isCount ? 1 : 2);
        // A hidden cell leaves empty space, so the columns stay where they are.
        QSizePolicy policy = label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        label->setSizePolicy(policy);
        label->hide();
    } else {
        palette.setColor(QPalette::Window, QColor(255, 255, 225));
        font.setBold(true);
        label->setProperty("tag", 0);
    }
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setFont(font);
    m_elements.push_back({label, role, isCount, quality, diameter});
    return label;
}

QLabel *TFormZusammenfasssung::addCaption(const QString &text, bool bold, Qt::Alignment align)
{
    auto *label = new QLabel(text, this);
    label->setAlignment(align);
    label->setProperty("tag", 0);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    m_elements.push_back({label, Role::Caption, false, {}, {}});
    return label;
}

void TFormZusammenfasssung::buildLayout()
{
    auto *outer = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    outer->addLayout(grid);

    const QStringList groupTitles{QStringLiteral("Güteklasse B"), QStringLiteral("Güteklasse C"), QStringLiteral("Güteklasse Cgw"),
                                  QStringLiteral("Summe Stärkeklasse")};
    for (int g = 0; g < 4; ++g) {
        grid->addWidget(addCaption(groupTitles[g]), 0, countColumn(g), 1, 2);
        grid->addWidget(addCaption(QStringLiteral("Menge:")), 1, countColumn(g));
        grid->addWidget(addCaption(QStringLiteral("Volumen:")), 1, countColumn(g) + 1);
        grid->setColumnMinimumWidth(countColumn(g), g < 3 ? countWidth : sumCountWidth);
        grid->setColumnMinimumWidth(countColumn(g) + 1, g < 3 ? volumeWidth : sumVolumeWidth);
    }

    const QString zeroCount = zeroText(true);
    const QString zeroVolume = zeroText(false);
    int row = 2;
    for (const QString &d : diameterClasses) {
        grid->addWidget(addCaption(d, true, Qt::AlignRight | Qt::AlignVCenter), row, 0);
        for (int g = 0; g < 3; ++g) {
            const QString &q = qualityClasses[g];
            grid->addWidget(addLabel(QStringLiteral("stM") + q + d, zeroCount, Role::Pair, true, q, d), row, countColumn(g));
            grid->addWidget(addLabel(QStringLiteral("stV") + q + d, zeroVolume, Role::Pair, false, q, d), row, countColumn(g) + 1);
        }
        grid->addWidget(addLabel(QStringLiteral("stM") + d, zeroCount, Role::DiameterTotal, true, {}, d), row, countColumn(3));
        grid->addWidget(addLabel(volumeTotalName(d), zeroVolume, Role::DiameterTotal, false, {}, d), row, countColumn(3) + 1);
        ++row;
    }

    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    grid->addWidget(rule, row++, 0, 1, 9);

    grid->addWidget(addCaption(QStringLiteral("Summe:"), true, Qt::AlignRight | Qt::AlignVCenter), row, 0);
    for (int g = 0; g < 3; ++g) {
        const QString &q = qualityClasses[g];
        grid->addWidget(addLabel(QStringLiteral("stM") + q, zeroCount, Role::QualityTotal, true, q), row, countColumn(g));
        grid->addWidget(addLabel(QStringLiteral("stV") + q, zeroVolume, Role::QualityTotal, false, q), row, countColumn(g) + 1);
    }
    grid->addWidget(addLabel(QStringLiteral("stM"), zeroCount, Role::ListTotal, true), row, countColumn(3));
    grid->addWidget(addLabel(QStringLiteral("stV"), zeroVolume, Role::ListTotal), row, countColumn(3) + 1);
    ++row;

    grid->addWidget(addCaption(QStringLiteral("gew. Länge:"), true, Qt::AlignRight | Qt::AlignVCenter), row, 0, 1, 2);
    grid->addWidget(addLabel(QStringLiteral("stGewLaenge"), zeroVolume, Role::Statistic), row, countColumn(0) + 1);
    ++row;

    auto *averages = new QHBoxLayout;
    const struct
    {
        const char *caption;
        const char *cell;
    } means[] = {{"- Länge:", "stDLaenge"}, {"- Durchmesser:", "stDDruchmeff"}, {"- Volumen:", "stDVolumen"}};
    for (const auto &mean : means) {
        averages->addWidget(addCaption(QStringLiteral("∅")));
        averages->addWidget(addCaption(QString::fromUtf8(mean.caption)));
        averages->addWidget(addLabel(QString::fromLatin1(mean.cell), zeroVolume, Role::Statistic));
        averages->addSpacing(12);
    }
    averages->addStretch(1);
    grid->addLayout(averages, row, 0, 1, 9);

    outer->addStretch(1);
    btnOK = controls::defaultButton("&OK", "btnOK", this);
    connect(btnOK, &QPushButton::clicked, this, &TFormZusammenfasssung::btnOKClick);
    outer->addLayout(controls::buttonRow({btnOK}, {}));

    // Each cell is as wide as designed, or as its longest figure needs: all logs of the longest
    // lists in one cell. The window grows with its cells.
    const QString widestCount = values::display::longestLogCount + u' ';
    const QString widestVolume = values::display::longestVolumeTotal() + u' ';
    for (const Element &e : m_elements) {
        if (e.role == Role::Caption)
            continue;
        const bool sumGroup = e.role == Role::DiameterTotal || e.role == Role::ListTotal;
        const int design = e.isCount ? (sumGroup ? sumCountWidth : countWidth) : (sumGroup ? sumVolumeWidth : volumeWidth);
        const int width = controls::fittedLabelWidth(*e.label, design, e.isCount ? widestCount : widestVolume);
        if (e.role == Role::Statistic && e.label != element(QStringLiteral("stGewLaenge")))
            e.label->setMinimumWidth(width);
        else
            e.label->setFixedWidth(width);
    }
}

QLabel *TFormZusammenfasssung::element(const QString &name) const
{
    for (const Element &e : m_elements)
        if (e.label->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return e.label;
    return nullptr;
}

QString TFormZusammenfasssung::zeroText(bool isCount) const
{
    if (isCount)
        return QStringLiteral("0 ");
    return QStringLiteral("0") + values::display::localeSeparators().decimal + QStringLiteral("00 ");
}

void TFormZusammenfasssung::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
    // The window becomes active right after it is shown; that activation is this one.
    m_skipNextActivation = true;
}

void TFormZusammenfasssung::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    m_skipNextActivation = false;
}

void TFormZusammenfasssung::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isVisible() || !isActiveWindow())
        return;
    if (m_skipNextActivation) {
        m_skipNextActivation = false;
        return;
    }
    FormActivate();
}

void TFormZusammenfasssung::FormActivate()
{
    if (m_filling)
        return;
    m_filling = true;
    const bool ok = controls::guarded(m_dialogs, [this] { fill(); });
    m_filling = false;
    // Closing the error box makes this window active again; filling again would only show
    // the same error once more.
    if (!ok)
        m_skipNextActivation = true;
}

void TFormZusammenfasssung::btnOKClick()
{
    accept();
}

void TFormZusammenfasssung::fill()
{
    for (const Element &e : m_elements)
        if (e.role == Role::QualityTotal || e.role == Role::DiameterTotal || e.role == Role::ListTotal)
            e.label->setText(zeroText(e.isCount));

    m_shell.SQLVorbereiten();
    showFigures(evaluation::summaryOf(*m_dmod.dsZusammenfassung.dataset));

    setStatistic(QStringLiteral("stGewLaenge"), *m_dmod.dsGewogeneLaenge.dataset, QStringLiteral("GewLaenge"));
    setStatistic(QStringLiteral("stDLaenge"), *m_dmod.dsZusZusatz.dataset, QStringLiteral("DLaenge"));
    setStatistic(QStringLiteral("stDDruchmeff"), *m_dmod.dsZusZusatz.dataset, QStringLiteral("DDurchmeff"));
    setStatistic(QStringLiteral("stDVolumen"), *m_dmod.dsZusZusatz.dataset, QStringLiteral("DVolumen"));
}

// A pair's cell shows its figure as the query gave it and stays hidden when the list has no
// such pair; a total shows its sum, or zero when nothing counted in it.
void TFormZusammenfasssung::showFigures(const evaluation::Summary &summary)
{
    const values::display::Separators sep = values::display::localeSeparators();
    for (const Element &e : m_elements) {
        if (e.role == Role::Pair) {
            const evaluation::Summary::Pair *pair = summary.pair(e.quality, e.diameter);
            e.label->setVisible(pair != nullptr);
            if (!pair)
                e.label->setText(zeroText(e.isCount));
            else if (e.isCount)
                e.label->setText((pair->count ? QString::number(*pair->count) : QString()) + u' ');
            else
                e.label->setText((pair->volume ? values::display::formatGeneral(*pair->volume, sep) : QString()) + u' ');
            continue;
        }
        const evaluation::Summary::Total *total = e.role == Role::QualityTotal    ? summary.qualityTotal(e.quality)
                                                  : e.role == Role::DiameterTotal ? summary.diameterTotal(e.diameter)
                                                  : e.role == Role::ListTotal     ? &summary.listTotal()
                                                                                  : nullptr;
        if (!total)
            continue;
        const engine::DecimalSum &sum = e.isCount ? total->count : total->volume;
        if (!sum.isEmpty())
            e.label->setText(values::display::formatGeneral(sum.toDouble(), sep) + u' ');
    }
}

void TFormZusammenfasssung::setStatistic(const QString &cell, const data::Dataset &query, const QString &field)
{
    const QVariant value = query.isOpen() && query.recNo() >= 0 ? query.value(field) : QVariant();
    element(cell)->setText(values::display::formatFixed2(value.isNull() ? 0.0 : value.toDouble()) + u' ');
}
