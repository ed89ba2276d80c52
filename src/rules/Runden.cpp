#include "rules/Runden.h"

#include "values/DisplayFormat.h"

namespace rules {

double r2(double value)
{
    // Plain separators so that the text reads back whatever the user's locale.
    const QString text = values::display::formatFixed2(value, values::display::Separators{u'.', u','});
    bool ok = false;
    const double rounded = text.toDouble(&ok);
    return ok ? rounded : value; // not a finite number: left as it is
}

} // namespace rules
