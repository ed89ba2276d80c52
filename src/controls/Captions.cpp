#include "controls/Captions.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

namespace controls {

QLabel *caption(const char *utf8Text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(QString::fromUtf8(utf8Text), parent);
    label->setBuddy(buddy);
    return label;
}

QWidget *captionPair(const char *first, QWidget *firstBuddy, const char *second, QWidget *secondBuddy, QWidget *parent)
{
    auto *pair = new QWidget(parent);
    auto *layout = new QHBoxLayout(pair);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(caption(first, firstBuddy, pair));
    layout->addWidget(caption(second, secondBuddy, pair));
    layout->addStretch();
    return pair;
}

QGridLayout *fieldGroup(const char *utf8Title, QBoxLayout *column, QWidget *window)
{
    auto *group = new QGroupBox(QString::fromUtf8(utf8Title), window);
    column->addWidget(group);
    return new QGridLayout(group);
}

void addField(QGridLayout *grid, int row, const char *text, QWidget *edit, int columns)
{
    grid->addWidget(caption(text, edit, grid->parentWidget()), row, 0);
    grid->addWidget(edit, row, 1, 1, columns);
}

void addFieldPair(QGridLayout *grid, int row, const char *first, QWidget *firstEdit, const char *second, QWidget *secondEdit)
{
    grid->addWidget(captionPair(first, firstEdit, second, secondEdit, grid->parentWidget()), row, 0);
    grid->addWidget(firstEdit, row, 1);
    grid->addWidget(secondEdit, row, 2);
}

} // namespace controls
