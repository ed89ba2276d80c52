#include "controls/Buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace controls {

QPushButton *button(const char *utf8Text, const char *objectName, QWidget *window)
{
    auto *b = new QPushButton(QString::fromUtf8(utf8Text), window);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

QPushButton *defaultButton(const char *utf8Text, const char *objectName, QWidget *window)
{
    auto *b = new QPushButton(QString::fromUtf8(utf8Text), window);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setDefault(true);
    return b;
}

QHBoxLayout *buttonRow(std::initializer_list<QWidget *> left, std::initializer_list<QWidget *> right)
{
    auto *row = new QHBoxLayout;
    for (QWidget *b : left)
        row->addWidget(b);
    row->addStretch(1);
    for (QWidget *b : right)
        row->addWidget(b);
    return row;
}

QHBoxLayout *buttonRow(std::initializer_list<QWidget *> right)
{
    return buttonRow({}, right);
}

ConfirmRow confirmRow(const char *utf8Text, const char *objectName, QWidget *window)
{
    QPushButton *confirm = defaultButton(utf8Text, objectName, window);
    QPushButton *cancel = button("&Abbruch", "btnAbbruch", window);
    return {confirm, cancel, buttonRow({confirm, cancel})};
}

} // namespace controls
