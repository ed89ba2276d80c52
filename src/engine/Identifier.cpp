#include "engine/Identifier.h"

#include <sqlite3.h>

namespace engine {

namespace {

bool isLetter(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
        return true;
    switch (u) {
    case u'ä': case u'ö': case u'ü': case u'Ä': case u'Ö': case u'Ü': case u'ß':
        return true;
    default:
        return false;
    }
}

} // namespace

bool isPlainIdentifier(const QString &name)
{
    if (name.isEmpty() || !isLetter(name.front()))
        return false;
    for (QChar c : name) {
        if (!isLetter(c) && !(c >= u'0' && c <= u'9') && c != u'_')
            return false;
    }
    return true;
}

bool isKeyword(const QString &name)
{
    const QByteArray utf8 = name.toUtf8();
    return sqlite3_keyword_check(utf8.constData(), int(utf8.size())) != 0;
}

QString tableFileName(const QString &tableName)
{
    return tableName.toLower() + QStringLiteral(".db");
}

} // namespace engine
