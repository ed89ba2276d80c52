#include "report/ScriptBridge.h"

#include <QJSEngine>
#include <QLocale>

namespace report {

ScriptBridge::ScriptBridge(QJSEngine &engine, const PipelineScope &pipelines, const values::display::Separators &sep, const QDateTime &printTime)
    : m_engine(engine)
    , m_pipelines(pipelines)
    , m_sep(sep)
    , m_printTime(printTime)
{
}

void ScriptBridge::setItemDefaults(const QHash<QString, bool> &visible)
{
    m_defaults = visible;
    m_set.clear();
}

std::optional<bool> ScriptBridge::visibility(const QString &item) const
{
    const auto it = m_set.constFind(item);
    if (it == m_set.constEnd())
        return std::nullopt;
    return *it;
}

bool ScriptBridge::hasField(const QString &pipeline, const QString &field) const
{
    const PipelineSlot *slot = m_pipelines.find(pipeline);
    return slot && slot->pipeline->hasField(field);
}

QJSValue ScriptBridge::field(const QString &pipeline, const QString &field) const
{
    const PipelineSlot *slot = m_pipelines.find(pipeline);
    if (!slot)
        return QJSValue(QJSValue::UndefinedValue);
    const QVariant v = slot->value(field);
    if (!v.isValid() || v.isNull())
        return QJSValue(QJSValue::NullValue);
    return m_engine.toScriptValue(v);
}

void ScriptBridge::setVisible(const QString &item, bool visible)
{
    if (!m_defaults.contains(item)) {
        m_engine.throwError(QJSValue::ReferenceError, QStringLiteral("No item named %1").arg(item));
        return;
    }
    m_set.insert(item, visible);
}

bool ScriptBridge::isVisible(const QString &item) const
{
    return visibility(item).value_or(m_defaults.value(item, false));
}

QString ScriptBridge::formatFloat(const QString &pattern, double value) const
{
    return values::display::formatFloat(pattern, value, m_sep);
}

QString ScriptBridge::formatGeneral(double value) const
{
    return values::display::formatGeneral(value, m_sep);
}

QString ScriptBridge::formatDateTime(const QString &pattern, const QJSValue &date) const
{
    return values::display::formatDateTime(pattern, date.toDateTime());
}

QString ScriptBridge::shortDate(const QJSValue &date) const
{
    const QDate d = date.toDateTime().date();
    const QLocale locale;
    // Under the "C" locale the program speaks German, as its users do.
    if (locale.language() == QLocale::C)
        return values::display::formatDateTime(QStringLiteral("dd.mm.yyyy"), d.startOfDay());
    return locale.toString(d, QLocale::ShortFormat);
}

QJSValue ScriptBridge::printDateTime() const
{
    return m_engine.toScriptValue(m_printTime);
}

} // namespace report
