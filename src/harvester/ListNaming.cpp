#include "harvester/ListNaming.h"

#include "data/LogList.h"

#include <QStringList>

namespace harvester {

namespace {

// A letter of another alphabet in Latin letters; empty when there is none.
QString spelledOut(QChar c)
{
    switch (c.unicode()) {
    case u'ä': return QStringLiteral("ae");
    case u'ö': case u'ø': return QStringLiteral("oe");
    case u'ü': return QStringLiteral("ue");
    case u'Ä': return QStringLiteral("Ae");
    case u'Ö': case u'Ø': return QStringLiteral("Oe");
    case u'Ü': return QStringLiteral("Ue");
    case u'ß': return QStringLiteral("ss");
    case u'æ': return QStringLiteral("ae");
    case u'Æ': return QStringLiteral("Ae");
    case u'å': return QStringLiteral("aa");
    case u'Å': return QStringLiteral("Aa");
    default: break;
    }
    // Letters with accents lose them.
    const QString plain = QString(c).normalized(QString::NormalizationForm_KD);
    QString ascii;
    for (const QChar p : plain)
        if (p.unicode() < 128 && p.isLetterOrNumber())
            ascii += p;
    return ascii;
}

QString identifierOf(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c.unicode() < 128 && (c.isLetterOrNumber() || c == u'_'))
            out += c;
        else if (c.isLetter())
            out += spelledOut(c);
        else
            out += u'_';
    }
    // One "_" between words, none at either end.
    QString squeezed;
    for (const QChar c : out)
        if (c != u'_' || (!squeezed.isEmpty() && !squeezed.endsWith(u'_')))
            squeezed += c;
    while (squeezed.endsWith(u'_'))
        squeezed.chop(1);
    return squeezed;
}

QString cut(QString name, qsizetype length)
{
    name.truncate(length);
    while (name.endsWith(u'_'))
        name.chop(1);
    return name;
}

} // namespace

QString proposedListName(const QString &species, const QString &site, const std::function<bool(const QString &)> &taken)
{
    QString base = identifierOf(species + u'_' + site);
    // A name must begin with a letter.
    if (base.isEmpty() || !base.front().isLetter())
        base.prepend(QStringLiteral("H_"));
    base = cut(base, rules::MaxListNameLength);
    if (!taken(base))
        return base;
    for (int n = 2;; ++n) {
        const QString suffix = QStringLiteral("_%1").arg(n);
        const QString name = cut(base, rules::MaxListNameLength - suffix.size()) + suffix;
        if (!taken(name))
            return name;
    }
}

bool listNameTaken(engine::Connection &db, const QString &dataPath, const QString &name)
{
    return rules::checkNewListName(name, dataPath, rules::ListNameChecks{.maxLength = true}).has_value()
           || data::loglist::headerExistsAnyCase(db, name);
}

std::optional<rules::ListNameRefusal> refusalOfNames(engine::Connection &db, const QString &dataPath,
                                                     const std::vector<QString> &names)
{
    using Rule = rules::ListNameRefusal::Rule;
    using Kind = rules::ListNameRefusal::Kind;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QString &name = names[i];
        const QString prefix = QStringLiteral("\"%1\": ").arg(name);
        if (std::optional<rules::ListNameRefusal> refusal =
                rules::checkNewListName(name, dataPath, rules::ListNameChecks{.maxLength = true})) {
            refusal->text.prepend(prefix);
            return refusal;
        }
        if (data::loglist::headerExistsAnyCase(db, name))
            return rules::ListNameRefusal{Rule::Exists, Kind::Information,
                                          prefix + QStringLiteral("Diese Liste ist schon vorhanden!")};
        for (std::size_t j = 0; j < i; ++j)
            if (names[j].compare(name, Qt::CaseInsensitive) == 0)
                return rules::ListNameRefusal{Rule::Exists, Kind::Information,
                                              prefix + QStringLiteral("Dieser Name ist für zwei Listen gewählt.")};
    }
    return std::nullopt;
}

} // namespace harvester
