#pragma once

#include "report/PipelineScope.h"
#include "values/DisplayFormat.h"

#include <QDateTime>
#include <QHash>
#include <QJSValue>
#include <QObject>

#include <optional>

class QJSEngine;

namespace report {

// What the scripts of a template reach through the global object `__report`: the fields of the
// pipelines' current rows, the visibility of named items and the program's number and date
// formats. The helper functions of ScriptScope wrap it.
class ScriptBridge : public QObject
{
    Q_OBJECT

public:
    ScriptBridge(QJSEngine &engine, const PipelineScope &pipelines, const values::display::Separators &sep, const QDateTime &printTime);

    // Items by name with their visibility at the start of a print.
    void setItemDefaults(const QHash<QString, bool> &visible);
    // The visibility a script gave the item, if it did; no value when none did.
    std::optional<bool> visibility(const QString &item) const;

    Q_INVOKABLE bool hasField(const QString &pipeline, const QString &field) const;
    Q_INVOKABLE QJSValue field(const QString &pipeline, const QString &field) const;
    Q_INVOKABLE void setVisible(const QString &item, bool visible);
    Q_INVOKABLE bool isVisible(const QString &item) const;
    Q_INVOKABLE QString formatFloat(const QString &pattern, double value) const;
    Q_INVOKABLE QString formatGeneral(double value) const;
    Q_INVOKABLE QString formatDateTime(const QString &pattern, const QJSValue &date) const;
    Q_INVOKABLE QString shortDate(const QJSValue &date) const;
    Q_INVOKABLE QJSValue printDateTime() const;

private:
    QJSEngine &m_engine;
    const PipelineScope &m_pipelines;
    values::display::Separators m_sep;
    QDateTime m_printTime;
    QHash<QString, bool> m_defaults;
    QHash<QString, bool> m_set;
};

} // namespace report
