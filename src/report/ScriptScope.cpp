#include "report/ScriptScope.h"

#include "report/ReportError.h"

namespace report {
namespace {

const char *const prelude = R"JS(
function setVisible(name, visible) { __report.setVisible(String(name), !!visible); }
function hide(name) { setVisible(name, false); }
function show(name) { setVisible(name, true); }
function isVisible(name) { return __report.isVisible(String(name)); }
function formatFloat(pattern, value) { return __report.formatFloat(String(pattern), Number(value)); }
function formatGeneral(value) { return __report.formatGeneral(Number(value)); }
function formatDateTime(pattern, date) { return __report.formatDateTime(String(pattern), date); }
function shortDate(date) { return __report.shortDate(date); }
function printDateTime() { return __report.printDateTime(); }
function today() { var d = __report.printDateTime(); d.setHours(0, 0, 0, 0); return d; }
function addDays(date, days) { var d = new Date(date.getTime()); d.setDate(d.getDate() + Number(days)); return d; }
function __pipeline(name) {
    var quiet = { toString: 1, valueOf: 1, toJSON: 1, constructor: 1, then: 1 };
    return new Proxy({}, {
        get: function (target, field) {
            if (typeof field !== 'string')
                return undefined;
            if (__report.hasField(name, field))
                return __report.field(name, field);
            if (quiet.hasOwnProperty(field))
                return undefined;
            throw new ReferenceError('Field not found: ' + name + '.' + field);
        },
        has: function (target, field) { return typeof field === 'string' && __report.hasField(name, field); }
    });
}
var page = 0;
var pageCount = 0;
)JS";

} // namespace

ScriptScope::ScriptScope(const PipelineScope &pipelines, const values::display::Separators &sep, const QDateTime &printTime)
    : m_bridge(std::make_unique<ScriptBridge>(m_engine, pipelines, sep, printTime))
{
    QJSEngine::setObjectOwnership(m_bridge.get(), QJSEngine::CppOwnership);
    m_engine.globalObject().setProperty(QStringLiteral("__report"), m_engine.newQObject(m_bridge.get()));
    evaluate(QString::fromUtf8(prelude), QStringLiteral("script library"));
    const QJSValue makePipeline = m_engine.globalObject().property(QStringLiteral("__pipeline"));
    for (const PipelineSlot &slot : pipelines.entries())
        m_engine.globalObject().setProperty(slot.name, makePipeline.call({QJSValue(slot.name)}));
}

QJSValue ScriptScope::evaluate(const QString &script, const QString &context)
{
    QStringList trace;
    ScriptWatchdog::Run run(m_watchdog);
    const QJSValue result = m_engine.evaluate(script, context, 1, &trace);
    if (run.stopped())
        throw ReportError(QStringLiteral("Script error in %1: the script ran longer than %2 s and was stopped")
                              .arg(context)
                              .arg(timeLimit.count() / 1000));
    if (result.isError() || !trace.isEmpty()) {
        QString message = result.isError() ? result.property(QStringLiteral("message")).toString() : result.toString();
        const QJSValue line = result.property(QStringLiteral("lineNumber"));
        if (line.isNumber())
            message += QStringLiteral(" (line %1)").arg(line.toInt());
        throw ReportError(QStringLiteral("Script error in %1: %2").arg(context, message));
    }
    return result;
}

void ScriptScope::setVariable(const QString &name, const QJSValue &value)
{
    m_engine.globalObject().setProperty(name, value);
}

} // namespace report
