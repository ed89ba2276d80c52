#include "backup/Manifest.h"

#include "backup/BackupError.h"
#include "engine/Identifier.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace backup {

namespace {

const QString Format = QStringLiteral("Dorv-Datensicherung");
constexpr int FormatVersion = 1;

} // namespace

const QString Manifest::EntryName = QStringLiteral("dorv-sicherung.json");

bool Manifest::Table::isProgramTable() const
{
    return engine::isPlainIdentifier(name) && file.toLower() == engine::tableFileName(name) && rows >= 0;
}

QByteArray Manifest::toJson() const
{
    QJsonArray list;
    for (const Table &t : tables)
        list.append(QJsonObject{{QStringLiteral("name"), t.name}, {QStringLiteral("file"), t.file}, {QStringLiteral("rows"), t.rows}});
    const QJsonObject root{{QStringLiteral("format"), Format},
                           {QStringLiteral("formatVersion"), FormatVersion},
                           {QStringLiteral("programVersion"), programVersion},
                           {QStringLiteral("created"), created.toString(Qt::ISODate)},
                           {QStringLiteral("tables"), list}};
    return QJsonDocument(root).toJson();
}

Manifest Manifest::fromJson(const QByteArray &json, const QString &backupPath)
{
    const auto foreign = [&] {
        return BackupError(QStringLiteral("Die Datei %1 ist keine Datensicherung von Dorv.").arg(backupPath));
    };
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    const QJsonObject root = doc.object();
    if (error.error != QJsonParseError::NoError || root.value(QStringLiteral("format")).toString() != Format)
        throw foreign();
    if (root.value(QStringLiteral("formatVersion")).toInt() > FormatVersion)
        throw BackupError(QStringLiteral("Die Datensicherung %1 stammt von einer neueren Version von Dorv (%2) und kann "
                                         "nicht wiederhergestellt werden.")
                              .arg(backupPath, root.value(QStringLiteral("programVersion")).toString()));

    Manifest m;
    m.programVersion = root.value(QStringLiteral("programVersion")).toString();
    m.created = QDateTime::fromString(root.value(QStringLiteral("created")).toString(), Qt::ISODate);
    const QJsonValue tables = root.value(QStringLiteral("tables"));
    if (!m.created.isValid() || !tables.isArray())
        throw foreign();
    for (const QJsonValue &v : tables.toArray()) {
        const QJsonObject o = v.toObject();
        Table t{o.value(QStringLiteral("name")).toString(), o.value(QStringLiteral("file")).toString(),
                qint64(o.value(QStringLiteral("rows")).toDouble(-1))};
        // Nothing can be written outside the data folder or under another table's name.
        if (!t.isProgramTable())
            throw foreign();
        m.tables.push_back(t);
    }
    return m;
}

} // namespace backup
