#include "rules/ListNames.h"

#include "engine/Identifier.h"

#include <QFileInfo>

#include <limits>

namespace rules {

namespace {

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int v = -1;
    if (u >= '0' && u <= '9')
        v = u - '0';
    else if (u >= 'a' && u <= 'f')
        v = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        v = u - 'A' + 10;
    return v < base ? v : -1;
}

} // namespace

bool isWholeNumber64(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return false; // no digits at all

    // The magnitude is gathered as unsigned; a negative number may reach one beyond the
    // largest positive value.
    const quint64 limit = negative ? quint64(std::numeric_limits<qint64>::max()) + 1 : quint64(std::numeric_limits<qint64>::max());
    quint64 value = 0;
    for (; i < n; ++i) {
        const int d = digitValue(text[i], base);
        if (d < 0)
            return false;
        if (value > (limit - quint64(d)) / quint64(base))
            return false;
        value = value * quint64(base) + quint64(d);
    }
    return true;
}

std::optional<ListNameRefusal> checkNewListName(const QString &name, const QString &dataPath, ListNameChecks checks)
{
    using Rule = ListNameRefusal::Rule;
    using Kind = ListNameRefusal::Kind;

    if (isWholeNumber64(name))
        return ListNameRefusal{Rule::Number, Kind::Information,
                               QStringLiteral("Der Listenname darf nicht nur aus Zahlen bestehen!") + QStringLiteral("\n\r")
                                   + QStringLiteral("Bitte stellen Sie ggf. einen Buchstaben voran.")};
    if (name.isEmpty())
        return ListNameRefusal{Rule::Empty, Kind::Error, QStringLiteral("Sie müssen einen gültigen Listennamen eingeben!")};
    // The name becomes a table name in statements and a file name: nothing but a plain
    // identifier may get that far, and no word of the SQL language.
    if (!engine::isPlainIdentifier(name) || engine::isKeyword(name))
        return ListNameRefusal{Rule::Identifier, Kind::Information,
                               QStringLiteral("Der Listenname darf nur Buchstaben, Ziffern und _ enthalten und muss mit einem "
                                              "Buchstaben beginnen!")};
    if (checks.maxLength && name.size() > MaxListNameLength)
        return ListNameRefusal{Rule::Length, Kind::Information,
                               QStringLiteral("Der Listenname darf höchstens %1 Zeichen lang sein!").arg(MaxListNameLength)};
    if (QFileInfo::exists(dataPath + engine::tableFileName(name)))
        return ListNameRefusal{Rule::Exists, Kind::Information,
                               QStringLiteral("Die Liste \"") + name + QStringLiteral("\" ist bereits vorhanden!")
                                   + QStringLiteral("\r\n") + QStringLiteral("Bitte wählen Sie einen anderen Namen.")};
    return std::nullopt;
}

} // namespace rules
