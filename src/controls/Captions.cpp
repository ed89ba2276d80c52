#include "controls/Captions.h"

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

} // namespace controls
