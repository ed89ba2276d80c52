#include "invoicing/FormMatchcode.h"

#include "controls/Buttons.h"
#include "controls/ErrorGuard.h"
#include "controls/SearchGrid.h"
#include "controls/TabOrder.h"
#include "data/DataModule.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const QString TFormMatchcode::AbbruchText = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");

QString invoicing::upperAsciiLetters(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    return out;
}

namespace {

// The key of a key press as the handlers see it; 0 for keys they do not look at.
QChar keyOf(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return u'\r';
    case Qt::Key_Escape: return u'\x1b';
    case Qt::Key_Space: return u' ';
    default: return QChar();
    }
}

} // namespace

TFormMatchcode::TFormMatchcode(TDMod &dmod, data::Shell &shell, controls::DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_dmod(dmod), m_shell(shell), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormMatchcode"));
    setWindowTitle(QStringLiteral("Matchode"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    buildWindow();
}

void TFormMatchcode::buildWindow()
{
    edtMatchcode = new QLineEdit(this);
    edtMatchcode->setObjectName(QStringLiteral("edtMatchcode"));
    auto *label = new QLabel(QStringLiteral("Matchcode:"), this);
    label->setBuddy(edtMatchcode);
    dbGrdMatchcode = new controls::SearchGrid(m_dialogs, this);
    dbGrdMatchcode->setObjectName(QStringLiteral("dbGrdMatchcode"));
    dbGrdMatchcode->setDataset(*m_dmod.dsMatchcode.dataset);
    const controls::ConfirmRow buttons = controls::confirmRow("&Ok", "btnUebernehmen", this);
    btnUebernehmen = buttons.confirm;
    btnAbbruch = buttons.cancel;

    auto *layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(edtMatchcode, 0, 1);
    layout->addWidget(dbGrdMatchcode, 1, 0, 1, 2);
    layout->addLayout(buttons.row, 2, 0, 1, 2);
    layout->setRowStretch(1, 1);
    controls::tabOrder({edtMatchcode, dbGrdMatchcode, btnUebernehmen, btnAbbruch});

    connect(edtMatchcode, &QLineEdit::textChanged, this, &TFormMatchcode::edtMatchcodeChange);
    connect(dbGrdMatchcode, &QAbstractItemView::doubleClicked, this, &TFormMatchcode::dbGrdMatchcodeDblClick);
    connect(btnUebernehmen, &QPushButton::clicked, this, &TFormMatchcode::btnUebernehmenClick);
    connect(btnAbbruch, &QPushButton::clicked, this, &TFormMatchcode::btnAbbruchClick);
    edtMatchcode->installEventFilter(this);
    dbGrdMatchcode->installEventFilter(this);
    resize(420, 300);
}

void TFormMatchcode::search()
{
    data::Dataset &query = m_dmod.qryMatchcode;
    query.setSql(m_matchcodeSql);
    query.setParam(QStringLiteral("Matchcode"), invoicing::upperAsciiLetters(edtMatchcode->text()) + u'%');
    query.open();
}

void TFormMatchcode::FormActivate()
{
    controls::guarded(m_dialogs, [this] {
        {
            const QSignalBlocker quiet(edtMatchcode); // searched once, below
            edtMatchcode->clear();
        }
        search();
        if (!m_dmod.qryMatchcode.isEmpty())
            dbGrdMatchcode->focusColumn(0);
        edtMatchcode->setFocus();
    });
}

void TFormMatchcode::edtMatchcodeChange()
{
    controls::guarded(m_dialogs, [this] { search(); });
}

void TFormMatchcode::edtMatchcodeKeyPress(QChar &key)
{
    controls::guarded(m_dialogs, [&] {
        if (key == u'\x1b') {
            key = QChar();
            btnAbbruchClick();
        }
        // Enter presses the default button.
    });
}

void TFormMatchcode::dbGrdMatchcodeKeyPress(QChar &key)
{
    controls::guarded(m_dialogs, [&] {
        if (key == u'\r' || key == u' ') {
            key = QChar();
            btnUebernehmenClick();
        } else if (key == u'\x1b') {
            key = QChar();
            btnAbbruchClick();
        }
    });
}

void TFormMatchcode::dbGrdMatchcodeDblClick()
{
    controls::guarded(m_dialogs, [this] { btnUebernehmenClick(); });
}

void TFormMatchcode::btnUebernehmenClick()
{
    // The grid's current record is the chosen one.
    controls::guarded(m_dialogs, [this] { accept(); });
}

void TFormMatchcode::btnAbbruchClick()
{
    controls::guarded(m_dialogs, [this] {
        edtMatchcode->setText(AbbruchText); // searches again, normally finding nothing
        reject();
    });
}

void TFormMatchcode::done(int result)
{
    m_closing = true;
    QDialog::done(result);
    m_closing = false;
}

void TFormMatchcode::closeEvent(QCloseEvent *event)
{
    // The close box accepts, as OK does.
    if (!m_closing && isVisible())
        btnUebernehmenClick();
    event->accept();
}

void TFormMatchcode::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        btnAbbruchClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TFormMatchcode::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == edtMatchcode || watched == dbGrdMatchcode)) {
        QChar key = keyOf(*static_cast<QKeyEvent *>(event));
        if (!key.isNull()) {
            if (watched == edtMatchcode)
                edtMatchcodeKeyPress(key);
            else
                dbGrdMatchcodeKeyPress(key);
            if (key.isNull())
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
