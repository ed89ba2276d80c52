#pragma once

#include "report/ScriptBridge.h"
#include "report/ScriptWatchdog.h"

#include <QJSEngine>
#include <QJSValue>

#include <memory>

namespace report {

// The JavaScript side of one print. Every pipeline is a global object whose properties are
// the fields of its current row (`Firma.Name1`, `Zusatzdaten.GERUECKT`, names without regard to
// case). Scripts may set global variables for later rules; named items put their printed value
// under their name. Helpers: setVisible(name, b), hide(name), show(name), isVisible(name),
// formatFloat(pattern, x), formatGeneral(x), formatDateTime(pattern, date), shortDate(date),
// today(), addDays(date, n), printDateTime(); and the variables page and pageCount.
class ScriptScope
{
public:
    ScriptScope(const PipelineScope &pipelines, const values::display::Separators &sep, const QDateTime &printTime);

    ScriptBridge &bridge() { return *m_bridge; }

    // Runs the script in the global scope and gives the value of its last statement. A script
    // that fails raises ReportError naming `context`, the message and the line.
    QJSValue evaluate(const QString &script, const QString &context);
    bool isTrue(const QString &script, const QString &context) { return evaluate(script, context).toBool(); }

    void setVariable(const QString &name, const QJSValue &value);
    void setVariable(const QString &name, const QVariant &value) { setVariable(name, m_engine.toScriptValue(value)); }

    // How long one script may run before it is stopped with a ReportError.
    static constexpr std::chrono::milliseconds timeLimit{5000};

private:
    QJSEngine m_engine;
    std::unique_ptr<ScriptBridge> m_bridge;
    ScriptWatchdog m_watchdog{m_engine, timeLimit};
};

} // namespace report
