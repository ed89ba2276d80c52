#include "controls/RecordNavigator.h"

#include "controls/DbEdit.h"
#include "controls/DialogService.h"
#include "controls/ErrorGuard.h"
#include "data/Dataset.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QToolButton>

namespace controls {

namespace {

struct ButtonLook
{
    const char *name;
    const char *glyph;
    const char *hint;
};

constexpr ButtonLook looks[RecordNavigator::buttonCount] = {
    {"nbFirst", "|\u25C0", "First record"}, {"nbPrior", "\u25C0", "Prior record"},  {"nbNext", "\u25B6", "Next record"},
    {"nbLast", "\u25B6|", "Last record"},   {"nbInsert", "+", "Insert record"},     {"nbDelete", "\u2212", "Delete record"},
    {"nbEdit", "\u25B2", "Edit record"},    {"nbPost", "\u2714", "Post edit"},      {"nbCancel", "\u2716", "Cancel edit"},
};

} // namespace

RecordNavigator::RecordNavigator(DialogService &dialogs, QWidget *parent) : QWidget(parent), m_dialogs(dialogs)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < buttonCount; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(looks[i].name));
        b->setText(QString::fromUtf8(looks[i].glyph));
        b->setToolTip(QString::fromLatin1(looks[i].hint));
        b->setMinimumWidth(28);
        b->setFocusPolicy(Qt::TabFocus);
        layout->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, i] { click(Button(i)); });
        m_buttons[i] = b;
    }
    setFocusProxy(m_buttons[First]);
    updateButtons();
}

void RecordNavigator::setDataset(data::Dataset &dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = &dataset;
    for (auto signal : {&data::Dataset::reset, &data::Dataset::stateChanged})
        connect(m_dataset, signal, this, &RecordNavigator::updateButtons);
    connect(m_dataset, &data::Dataset::currentChanged, this, &RecordNavigator::updateButtons);
    connect(m_dataset, &data::Dataset::rowInserted, this, &RecordNavigator::updateButtons);
    connect(m_dataset, &data::Dataset::rowRemoved, this, &RecordNavigator::updateButtons);
    updateButtons();
}

void RecordNavigator::click(Button which)
{
    guarded(m_dialogs, [&] { act(which); });
    updateButtons();
}

void RecordNavigator::act(Button which)
{
    if (!m_dataset)
        return;
    // A typed text that does not convert stops the action with its message.
    if (auto *edit = qobject_cast<DbEdit *>(QApplication::focusWidget()); edit && !edit->commit())
        return;
    data::Dataset &ds = *m_dataset;
    switch (which) {
    case First: ds.first(); break;
    case Prior: ds.prior(); break;
    case Next: ds.next(); break;
    case Last: ds.last(); break;
    case Insert: ds.insert(); break;
    case Delete:
        if (m_dialogs.confirm(QStringLiteral("Delete record?")))
            ds.remove();
        break;
    case Edit: ds.edit(); break;
    case Post: ds.post(); break;
    case Cancel: ds.cancel(); break;
    }
}

void RecordNavigator::updateButtons()
{
    const bool open = m_dataset && m_dataset->isOpen();
    const bool editing = open && m_dataset->isEditing();
    const int row = open ? m_dataset->recNo() : -1;
    const int count = open ? m_dataset->recordCount() : 0;
    m_buttons[First]->setEnabled(open && row > 0);
    m_buttons[Prior]->setEnabled(open && row > 0);
    m_buttons[Next]->setEnabled(open && row >= 0 && row < count - 1);
    m_buttons[Last]->setEnabled(open && row >= 0 && row < count - 1);
    m_buttons[Insert]->setEnabled(open);
    m_buttons[Delete]->setEnabled(open && count > 0);
    m_buttons[Edit]->setEnabled(open && !editing);
    m_buttons[Post]->setEnabled(editing);
    m_buttons[Cancel]->setEnabled(editing);
}

} // namespace controls
