#include "report/TemplateLoader.h"

#include "report/ReportError.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <initializer_list>
#include <utility>

namespace report {
namespace {

// Reads one template; `where` names the part being read for messages.
class Reader
{
public:
    explicit Reader(QString source) : m_source(std::move(source)) {}

    Template read(const QJsonObject &root)
    {
        Template t;
        readPage(root.value(u"page").toObject(), t.page);
        m_defaultFont = readFont(root.value(u"defaultFont").toObject(), FontSpec{QStringLiteral("Arial"), 10});
        for (const QJsonValue &c : root.value(u"columns").toArray()) {
            const QJsonObject o = c.toObject();
            t.columns.push_back(Column{number(o, u"left", 0, "columns"), number(o, u"width", 0, "columns")});
        }
        t.mainPipeline = root.value(u"pipeline").toString();
        t.beforePageHeader = script(root.value(u"scripts").toObject().value(u"beforePageHeader"));
        const QJsonArray groups = root.value(u"groups").toArray();
        for (int i = 0; i < groups.size(); ++i) {
            const QJsonObject o = groups[i].toObject();
            Group g;
            g.pipeline = o.value(u"pipeline").toString();
            g.field = o.value(u"field").toString();
            if (g.field.isEmpty())
                fail(QStringLiteral("group %1 names no field").arg(i + 1));
            g.newColumn = o.value(u"newColumn").toBool();
            g.newPage = o.value(u"newPage").toBool();
            g.header = readBand(o.value(u"header"), QStringLiteral("group %1 header").arg(i + 1), i);
            g.footer = readBand(o.value(u"footer"), QStringLiteral("group %1 footer").arg(i + 1), i);
            t.groups.push_back(std::move(g));
        }
        const int innermost = static_cast<int>(t.groups.size()) - 1;
        t.pageHeader = readBand(root.value(u"pageHeader"), QStringLiteral("pageHeader"), -1);
        t.title = readBand(root.value(u"title"), QStringLiteral("title"), -1);
        t.columnHeader = readBand(root.value(u"columnHeader"), QStringLiteral("columnHeader"), -1);
        t.detail = readBand(root.value(u"detail"), QStringLiteral("detail"), innermost);
        t.summary = readBand(root.value(u"summary"), QStringLiteral("summary"), -1);
        t.columnFooter = readBand(root.value(u"columnFooter"), QStringLiteral("columnFooter"), -1);
        t.pageFooter = readBand(root.value(u"pageFooter"), QStringLiteral("pageFooter"), -1);
        return t;
    }

private:
    [[noreturn]] void fail(const QString &what) const
    {
        throw ReportError(QStringLiteral("Report template %1: %2").arg(m_source, what));
    }

    double number(const QJsonObject &o, QStringView key, double fallback, const QString &where) const
    {
        const QJsonValue v = o.value(key);
        if (v.isUndefined() || v.isNull())
            return fallback;
        if (!v.isDouble())
            fail(QStringLiteral("%1: \"%2\" must be a number").arg(where, key.toString()));
        return v.toDouble();
    }

    // The value `text` names among `choices`; any other text fails as an unknown `what`.
    template <class Value>
    Value choice(const QString &text, std::initializer_list<std::pair<QStringView, Value>> choices, const QString &where,
                 const char *what) const
    {
        for (const auto &[name, value] : choices)
            if (text == name)
                return value;
        fail(QStringLiteral("%1: unknown %2 \"%3\"").arg(where, QLatin1String(what), text));
    }

    double number(const QJsonObject &o, QStringView key, double fallback, const char *where) const
    {
        return number(o, key, fallback, QString::fromLatin1(where));
    }

    // A script is a string or an array of lines.
    static QString script(const QJsonValue &v)
    {
        if (v.isArray()) {
            QStringList lines;
            for (const QJsonValue &line : v.toArray())
                lines << line.toString();
            return lines.join(u'\n');
        }
        return v.toString();
    }

    void readPage(const QJsonObject &o, PageSetup &page) const
    {
        page.width = number(o, u"width", 210, "page");
        page.height = number(o, u"height", 297, "page");
        page.landscape = o.value(u"orientation").toString() == u"landscape";
        const QJsonObject m = o.value(u"margins").toObject();
        page.marginTop = number(m, u"top", 10, "page margins");
        page.marginBottom = number(m, u"bottom", 10, "page margins");
        page.marginLeft = number(m, u"left", 10, "page margins");
        page.marginRight = number(m, u"right", 10, "page margins");
        if (page.width <= 0 || page.height <= 0 || page.marginTop + page.marginBottom >= page.height
            || page.marginLeft + page.marginRight >= page.width)
            fail(QStringLiteral("the page and its margins leave no room to print"));
    }

    FontSpec readFont(const QJsonObject &o, const FontSpec &base) const
    {
        FontSpec f = base;
        if (o.contains(u"family"))
            f.family = o.value(u"family").toString();
        // Fonts of the old desktop that this one lacks become the default font.
        if (f.family.compare(u"MS Sans Serif", Qt::CaseInsensitive) == 0 || f.family.compare(u"Symbol", Qt::CaseInsensitive) == 0)
            f.family.clear();
        f.pointSize = number(o, u"size", base.pointSize, "font");
        f.bold = o.value(u"bold").toBool(base.bold);
        f.italic = o.value(u"italic").toBool(base.italic);
        f.underline = o.value(u"underline").toBool(base.underline);
        if (f.pointSize <= 0)
            fail(QStringLiteral("a font size must be above 0"));
        return f;
    }

    Band readBand(const QJsonValue &value, const QString &where, int groupLevel) const
    {
        Band band;
        if (value.isUndefined() || value.isNull())
            return band;
        if (!value.isObject())
            fail(QStringLiteral("%1 must be an object").arg(where));
        const QJsonObject o = value.toObject();
        band.present = true;
        band.height = number(o, u"height", 0, where);
        band.bottomOffset = number(o, u"bottomOffset", 0, where);
        if (band.height < 0 || band.bottomOffset < 0)
            fail(QStringLiteral("%1: heights must not be negative").arg(where));
        band.beforePrint = script(o.value(u"beforePrint"));
        for (const QJsonValue &n : o.value(u"calculationOrder").toArray())
            band.calculationOrder << n.toString();
        const QJsonArray items = o.value(u"items").toArray();
        for (int i = 0; i < items.size(); ++i)
            band.items.push_back(readItem(items[i].toObject(), QStringLiteral("%1, item %2").arg(where).arg(i + 1), groupLevel));
        return band;
    }

    Item readItem(const QJsonObject &o, const QString &where, int groupLevel) const
    {
        Item item;
        const QString type = o.value(u"type").toString();
        item.kind = choice<ItemKind>(type,
                                     {{u"label", ItemKind::Label},
                                      {u"data", ItemKind::Data},
                                      {u"calc", ItemKind::Calc},
                                      {u"system", ItemKind::System},
                                      {u"sum", ItemKind::Sum},
                                      {u"line", ItemKind::Line}},
                                     where, "item type");
        item.name = o.value(u"name").toString();
        item.left = number(o, u"left", 0, where);
        item.top = number(o, u"top", 0, where);
        item.width = number(o, u"width", 0, where);
        item.height = number(o, u"height", 0, where);
        if (item.width < 0 || item.height < 0)
            fail(QStringLiteral("%1: width and height must not be negative").arg(where));
        item.font = readFont(o.value(u"font").toObject(), m_defaultFont);
        const QString align = o.value(u"align").toString(QStringLiteral("left"));
        item.align = choice<Align>(align, {{u"left", Align::Left}, {u"right", Align::Right}, {u"center", Align::Center}}, where,
                                   "alignment");
        item.wordWrap = o.value(u"wordWrap").toBool();
        if (item.wordWrap && item.width <= 0)
            fail(QStringLiteral("%1: a wrapped text needs a width").arg(where));
        item.visible = o.value(u"visible").toBool(true);
        item.visibleIf = script(o.value(u"visibleIf"));
        item.text = o.value(u"text").toString();
        item.pipeline = o.value(u"pipeline").toString();
        item.field = o.value(u"field").toString();
        item.format = o.value(u"format").toString();
        item.expression = script(o.value(u"expression"));
        item.suppressRepeated = o.value(u"suppressRepeated").toBool();
        item.vertical = o.value(u"orientation").toString() == u"vertical";
        item.weightPt = number(o, u"weight", 0.75, where);

        if ((item.kind == ItemKind::Data || item.kind == ItemKind::Sum) && (item.pipeline.isEmpty() || item.field.isEmpty()))
            fail(QStringLiteral("%1: a %2 item needs a pipeline and a field").arg(where, type));
        if (item.kind == ItemKind::Calc && item.expression.trimmed().isEmpty())
            fail(QStringLiteral("%1: a calc item needs an expression").arg(where));
        if (item.kind == ItemKind::System) {
            const QString value = o.value(u"value").toString();
            item.system = choice<SystemValue>(value,
                                              {{u"printDateTime", SystemValue::PrintDateTime},
                                               {u"pageNumber", SystemValue::PageNumber},
                                               {u"pageCount", SystemValue::PageCount}},
                                              where, "system value");
        }
        if (item.kind == ItemKind::Sum) {
            const QString reset = o.value(u"reset").toString(groupLevel >= 0 ? QStringLiteral("group") : QStringLiteral("report"));
            if (reset == u"group" && groupLevel >= 0) {
                item.reset = SumReset::Group;
                item.groupLevel = groupLevel;
            } else if (reset == u"report" || reset == u"group") {
                item.reset = SumReset::Report;
            } else {
                fail(QStringLiteral("%1: unknown sum reset \"%2\"").arg(where, reset));
            }
        }
        return item;
    }

    QString m_source;
    FontSpec m_defaultFont;
};

struct Place
{
    int line;
    int column;
};

Place parseErrorPlace(const QByteArray &json, int offset)
{
    const QByteArray before = json.left(qBound(0, offset, static_cast<int>(json.size())));
    const int line = static_cast<int>(before.count('\n')) + 1;
    const int lineStart = static_cast<int>(before.lastIndexOf('\n')) + 1;
    const int column = static_cast<int>(QString::fromUtf8(before.mid(lineStart)).size()) + 1;
    return {line, column};
}

} // namespace

Template parseTemplate(const QByteArray &json, const QString &sourceName)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        const Place place = parseErrorPlace(json, error.offset);
        throw ReportError(QStringLiteral("Report template %1 cannot be read: %2 at line %3, column %4")
                              .arg(sourceName, error.errorString())
                              .arg(place.line)
                              .arg(place.column),
                          place.line, place.column);
    }
    if (!doc.isObject())
        throw ReportError(QStringLiteral("Report template %1 cannot be read: it is not a JSON object at line 1, column 1").arg(sourceName),
                          1, 1);
    return Reader(sourceName).read(doc.object());
}

Template loadTemplate(const QString &path)
{
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    QFile file(fullPath);
    if (!QFileInfo(fullPath).isFile())
        throw ReportError(QStringLiteral("File not found: ") + fullPath);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Cannot read file: %1 (%2)").arg(fullPath, file.errorString()));
    return parseTemplate(file.readAll(), fullPath);
}

} // namespace report
