#pragma once

#include "report/Pipeline.h"

#include <QHash>
#include <QString>

namespace report {

// The pipelines of one print with the row each one stands on: the main pipeline moves over
// its rows, every other one stays on its first (its current record).
struct PipelineSlot
{
    QString name;
    const Pipeline *pipeline = nullptr;
    int row = 0;

    bool onRow() const { return pipeline && row >= 0 && row < pipeline->rowCount(); }
    QVariant value(const QString &field) const { return onRow() ? pipeline->value(row, field) : QVariant(); }
};

class PipelineScope
{
public:
    void add(const QString &name, const Pipeline *pipeline) { m_entries.insert(name.toLower(), PipelineSlot{name, pipeline, 0}); }
    PipelineSlot *find(const QString &name)
    {
        const auto it = m_entries.find(name.toLower());
        return it == m_entries.end() ? nullptr : &*it;
    }
    const PipelineSlot *find(const QString &name) const
    {
        const auto it = m_entries.constFind(name.toLower());
        return it == m_entries.constEnd() ? nullptr : &*it;
    }
    const QHash<QString, PipelineSlot> &entries() const { return m_entries; }

private:
    QHash<QString, PipelineSlot> m_entries;
};

} // namespace report
