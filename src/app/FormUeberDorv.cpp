#include "app/FormUeberDorv.h"

#include "app/AboutPictures.h"
#include "app/LinkLabel.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "data/Shell.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

const QString TFormUeberDorv::Version = QStringLiteral("Version " DORV_VERSION);
const QString TFormUeberDorv::InternetAdresse = QStringLiteral("http://www.example.org");
const QString TFormUeberDorv::EMailAdresse = QStringLiteral("info@example.org");

namespace {

QLabel *picture(const QPixmap &pixmap, const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(pixmap);
    label->setFixedSize(pixmap.size());
    return label;
}

} // namespace

TFormUeberDorv::TFormUeberDorv(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormUeberDorv"));
    setWindowTitle(QStringLiteral("Dorv 3.0c"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::WindowStaysOnTopHint);
    setFixedSize(325, 324);
    const QColor background(189, 190, 189);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    pal.setColor(QPalette::Base, background);
    setPalette(pal);
    setAutoFillBackground(true);

    auto *lblProgrammname = new QLabel(this);
    lblProgrammname->setObjectName(QStringLiteral("lblProgrammname"));
    QFont titleFont = lblProgrammname->font();
    titleFont.setPixelSize(19);
    lblProgrammname->setFont(titleFont);
    lblProgrammname->setFixedSize(265, 25);
    auto *lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto *lblHersteller = new QLabel(QStringLiteral("Ein Programm von:"), this);
    lblHersteller->setObjectName(QStringLiteral("lblHersteller"));

    QLabel *imgLogo = picture(app::drawMakerMark(QSize(153, 41)), QStringLiteral("imgLogo"), this);
    QLabel *imgBild = picture(app::drawTreePicture(QSize(130, 130)), QStringLiteral("imgBild"), this);

    auto *memAdresse = new QPlainTextEdit(this);
    memAdresse->setObjectName(QStringLiteral("memAdresse"));
    memAdresse->setReadOnly(true);
    memAdresse->setFrameShape(QFrame::NoFrame);
    memAdresse->setPalette(pal);
    memAdresse->setFixedSize(153, 81);
    memAdresse->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memAdresse->setPlainText(QStringLiteral("Forstsoftware Muster\nProgramme für Wald und Holz\nMusterweg 1\n12345 Musterstadt"));

    auto *lblInternet = new QLabel(QStringLiteral("Internet:"), this);
    lblInternet->setObjectName(QStringLiteral("lblInternet"));
    auto *lblEMail = new QLabel(QStringLiteral("eMail:"), this);
    lblEMail->setObjectName(QStringLiteral("lblEMail"));
    auto *lblInternetAdresse = new app::LinkLabel(InternetAdresse, this);
    lblInternetAdresse->setObjectName(QStringLiteral("lblInternetAdresse"));
    auto *lblEMailAdresse = new app::LinkLabel(EMailAdresse, this);
    lblEMailAdresse->setObjectName(QStringLiteral("lblEMailAdresse"));
    connect(lblInternetAdresse, &app::LinkLabel::clicked, this, &TFormUeberDorv::lblInternetAdresseClick);
    connect(lblEMailAdresse, &app::LinkLabel::clicked, this, &TFormUeberDorv::lblEMailAdresseClick);

    // Where this program keeps its data, to find it for a copy or a question to support.
    auto *lblDatenordner = new QLabel(QStringLiteral("Datenordner:"), this);
    lblDatenordner->setObjectName(QStringLiteral("lblDatenordner"));
    auto *edtDatenordner = new QLineEdit(this);
    edtDatenordner->setObjectName(QStringLiteral("edtDatenordner"));
    edtDatenordner->setReadOnly(true);
    edtDatenordner->setFrame(false);
    edtDatenordner->setPalette(pal);
    lblDatenordner->setBuddy(edtDatenordner);

    auto *btnSchliessen = new QPushButton(QStringLiteral("&Schließen"), this);
    btnSchliessen->setObjectName(QStringLiteral("btnSchliessen"));
    btnSchliessen->setDefault(true);
    connect(btnSchliessen, &QPushButton::clicked, this, &TFormUeberDorv::btnSchliessenClick);

    auto *left = new QVBoxLayout;
    left->addWidget(imgLogo);
    left->addWidget(memAdresse);
    left->addStretch(1);
    auto *middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addWidget(imgBild, 0, Qt::AlignTop);
    auto *links = new QGridLayout;
    links->addWidget(lblInternet, 0, 0);
    links->addWidget(lblInternetAdresse, 0, 1);
    links->addWidget(lblEMail, 1, 0);
    links->addWidget(lblEMailAdresse, 1, 1);
    links->addWidget(lblDatenordner, 2, 0);
    links->addWidget(edtDatenordner, 2, 1);
    links->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblProgrammname, 0, Qt::AlignHCenter);
    layout->addWidget(lblVersion, 0, Qt::AlignHCenter);
    layout->addWidget(lblHersteller);
    layout->addLayout(middle);
    layout->addLayout(links);
    layout->addStretch(1);
    layout->addWidget(btnSchliessen, 0, Qt::AlignHCenter);

    FormCreate();
}

void TFormUeberDorv::FormCreate()
{
    findChild<QLabel *>(QStringLiteral("lblProgrammname"))->setText(QApplication::applicationName());
    findChild<QLabel *>(QStringLiteral("lblVersion"))->setText(Version);
    setWindowTitle(QApplication::applicationName() + QStringLiteral(" ") + Version);
    auto *edtDatenordner = findChild<QLineEdit *>(QStringLiteral("edtDatenordner"));
    edtDatenordner->setText(QDir::toNativeSeparators(m_shell.dataPath()));
    edtDatenordner->setToolTip(edtDatenordner->text());
    edtDatenordner->setCursorPosition(0);
}

void TFormUeberDorv::lblInternetAdresseClick()
{
    controls::guarded(m_dialogs, [&] { m_dialogs.openUrl(InternetAdresse); });
}

void TFormUeberDorv::lblEMailAdresseClick()
{
    controls::guarded(m_dialogs, [&] { m_dialogs.openUrl(QStringLiteral("mailto:") + EMailAdresse); });
}

void TFormUeberDorv::btnSchliessenClick()
{
    accept();
}
