#include "app/UiFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>

namespace app {

void ensureProportionalUiFont()
{
    const QFont current = QApplication::font();
    if (!QFontInfo(current).fixedPitch())
        return;
    const QStringList installed = QFontDatabase::families();
    for (const char *family : {"DejaVu Sans", "Liberation Sans", "Noto Sans", "Cantarell", "FreeSans", "Arial"}) {
        const QString name = QString::fromLatin1(family);
        if (!installed.contains(name) || QFontDatabase::isFixedPitch(name))
            continue;
        QFont font = current;
        font.setFamilies({name});
        QApplication::setFont(font);
        return;
    }
}

} // namespace app
