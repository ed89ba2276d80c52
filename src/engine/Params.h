#pragma once

#include <QString>
#include <QVariant>

#include <vector>

namespace engine {

struct Param
{
    QString name; // without the colon; matched without regard to case
    QVariant value;
};
using Params = std::vector<Param>;

} // namespace engine
