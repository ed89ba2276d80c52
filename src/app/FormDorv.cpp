#include "app/FormDorv.h"

#include "controls/ColumnWidth.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "data/DataModule.h"
#include "values/DisplayFormat.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QStatusBar>

TFormDorv::TFormDorv(controls::DialogService &dialogs, app::DataLocation location, QWidget *parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_location(std::move(location))
{
    setObjectName(QStringLiteral("FormDorv"));
    setWindowTitle(QStringLiteral("Dorv V3.0d für Windows"));
    resize(696, 480);
    // The normal size is centred on the screen; the program shows the window maximised.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    createStatusBar();
    createMenu();
    FormCreate();
}

TFormDorv::~TFormDorv() = default;

void TFormDorv::createStatusBar()
{
    QStatusBar *sbDorv = statusBar();
    sbDorv->setObjectName(QStringLiteral("sbDorv"));
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(sbDorv);
        m_panels[i]->setObjectName(QStringLiteral("sbDorvPanel%1").arg(i + 1));
        m_panels[i]->setFrameShape(QFrame::Panel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
    }
    m_panels[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_panels[1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_panels[2]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    sbDorv->addWidget(m_panels[0]);
    sbDorv->addWidget(m_panels[1]);
    sbDorv->addWidget(m_panels[2], 1);
}

void TFormDorv::FormCreate()
{
    m_dataPath = m_location.dataPath();
    FuelleStatusBar(false);
    QFont bold = statusBar()->font();
    bold.setBold(true);
    statusBar()->setFont(bold);
    for (QLabel *panel : m_panels)
        panel->setFont(bold);
    // Wide enough for the figures of the longest lists.
    m_panels[0]->setFixedWidth(controls::fittedLabelWidth(*m_panels[0], 150, QStringLiteral("Anzahl Stämme: ") + values::display::longestLogCount));
    m_panels[1]->setFixedWidth(controls::fittedLabelWidth(*m_panels[1], 150, QStringLiteral("Summe FM: ") + values::display::longestVolumeTotal()));
}

void TFormDorv::closeEvent(QCloseEvent *event)
{
    if (m_dmod)
        controls::guarded(m_dialogs, [this] { m_dmod->qryKundenBeforeClose(m_dmod->qryKunden); });
    QMainWindow::closeEvent(event);
}

QString TFormDorv::statusPanelText(int panel) const
{
    return m_panels[panel]->text();
}

void TFormDorv::FuelleStatusBar(bool listOpen)
{
    if (!listOpen) {
        m_panels[2]->setText(QStringLiteral("Listenname:"));
        m_panels[1]->setText(QStringLiteral("Summe FM: 0.00"));
        m_panels[0]->setText(QStringLiteral("Anzahl Stämme: 0"));
        return;
    }
    m_panels[2]->setText(QStringLiteral("Listenname: ") + m_currentListName);
    const QVariant sum = m_dmod->qryGesamtVolumen.value(QStringLiteral("GesVol"));
    m_panels[1]->setText(QStringLiteral("Summe FM: ") + (sum.isNull() ? QString() : values::display::formatGeneral(sum.toDouble())));
    m_panels[0]->setText(QStringLiteral("Anzahl Stämme: ")
                         + QString::number(m_dmod->qryGesamtVolumen.value(QStringLiteral("Menge")).toLongLong()));
}

void TFormDorv::SQLVorbereiten()
{
    if (m_dmod)
        m_dmod->prepareListQueries(m_currentListName);
}

