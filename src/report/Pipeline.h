#pragma once

#include <QHash>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace report {

// Rows handed to a report under a pipeline name ("Dorvliste", "Firma", "gesVol"). A pipeline
// that offers only the current record of its data simply has one row (or none).
class Pipeline
{
public:
    virtual ~Pipeline() = default;
    virtual int rowCount() const = 0;
    virtual QStringList fieldNames() const = 0;
    // The field name is matched without regard to case; an unknown field gives an invalid value.
    virtual QVariant value(int row, const QString &field) const = 0;
    virtual bool hasField(const QString &field) const;
};

// Rows kept in memory: for tests and for small data a caller puts together itself.
class TablePipeline : public Pipeline
{
public:
    TablePipeline() = default;
    explicit TablePipeline(const QStringList &fields);

    void setFields(const QStringList &fields); // drops the rows
    // One value per field, in the order of the fields; a row of another length is refused.
    void addRow(const QVariantList &values);
    void clearRows() { m_rows.clear(); }

    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    QStringList fieldNames() const override { return m_fields; }
    QVariant value(int row, const QString &field) const override;
    bool hasField(const QString &field) const override;

private:
    QStringList m_fields;
    QHash<QString, int> m_index; // lower-case name -> column
    std::vector<QVariantList> m_rows;
};

} // namespace report
