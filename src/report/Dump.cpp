#include "report/Dump.h"

namespace report {
namespace {

QString mm(double v)
{
    return QString::number(v, 'f', 1);
}

QString quoted(const QString &text)
{
    QString s = text;
    s.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\"")).replace(u'\n', QStringLiteral("\\n"));
    return u'"' + s + u'"';
}

QString alignName(Align a)
{
    switch (a) {
    case Align::Left:
        return QStringLiteral("left");
    case Align::Center:
        return QStringLiteral("center");
    case Align::Right:
        return QStringLiteral("right");
    }
    return {};
}

} // namespace

QString dumpPages(const std::vector<Page> &pages)
{
    QString out;
    for (size_t p = 0; p < pages.size(); ++p) {
        const QString prefix = QStringLiteral("p%1 ").arg(p + 1);
        for (const Primitive &primitive : pages[p].primitives) {
            out += prefix;
            if (const auto *t = std::get_if<TextPrimitive>(&primitive)) {
                out += QStringLiteral("text ") + mm(t->rect.x()) + u',' + mm(t->rect.y()) + u' ' + quoted(t->text);
                if (t->rect.width() > 0)
                    out += QStringLiteral(" w") + mm(t->rect.width());
                out += u' ' + alignName(t->align) + u' ' + (t->font.family.isEmpty() ? QStringLiteral("default") : t->font.family) + u' '
                    + QString::number(t->font.pointSize);
                if (t->font.bold)
                    out += QStringLiteral(" bold");
                if (t->font.italic)
                    out += QStringLiteral(" italic");
                if (t->font.underline)
                    out += QStringLiteral(" underline");
                if (t->wordWrap)
                    out += QStringLiteral(" wrap");
            } else {
                const auto &l = std::get<LinePrimitive>(primitive);
                out += QStringLiteral("line ") + mm(l.from.x()) + u',' + mm(l.from.y()) + u' ' + mm(l.to.x()) + u',' + mm(l.to.y()) + u' '
                    + QString::number(l.weightPt) + QStringLiteral("pt");
            }
            out += u'\n';
        }
    }
    return out;
}

} // namespace report
