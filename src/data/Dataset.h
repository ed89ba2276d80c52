#pragma once

#include "engine/Connection.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

namespace data {

using engine::FieldType;

struct Field
{
    QString name;
    FieldType type = FieldType::Unknown;
    int size = 0;
    bool readOnly = false;
    bool calculated = false;
    QString displayFormat;
};

enum class DatasetState { Inactive, Browse, Edit, Insert };

// A query of the program: SQL text, named parameters, the rows of its result read in full,
// a cursor, and, for a live one-table SELECT *, editing that writes rows back through the
// table's rowid. Without a connection it is an in-memory record set whose fields are added
// by hand.
class Dataset : public QObject
{
    Q_OBJECT

public:
    // Hooks of the record events. Each gets the dataset; an exception thrown by a hook stops
    // the operation (a failing before-post leaves the row in editing).
    struct Events
    {
        std::function<void(Dataset &)> newRecord;
        std::function<void(Dataset &)> beforePost;
        std::function<void(Dataset &)> afterPost;
        std::function<void(Dataset &)> beforeDelete;
        std::function<void(Dataset &)> afterDelete;
        std::function<void(Dataset &)> afterOpen;
        std::function<void(Dataset &)> beforeClose;
        std::function<void(Dataset &)> calcFields;
        std::function<void(Dataset &)> afterScroll;
    };
    Events events;

    explicit Dataset(engine::Connection *connection, const QString &name = {}, QObject *parent = nullptr);
    ~Dataset() override;

    // SQL text and parameters. Setting the text closes the dataset.
    void setSql(const QString &sql);
    QString sql() const { return m_sql; }
    void setLive(bool live) { m_live = live; }
    bool isLive() const { return m_live; }
    void setParam(const QString &name, const QVariant &value);
    QVariant param(const QString &name) const;
    void clearParams() { m_params.clear(); }
    // Parameters left unbound take the same-named field of the master's current row; when
    // the master opens again or moves, an open detail is opened again.
    void setMaster(Dataset *master);

    // Field settings kept across openings.
    void setDisplayFormat(const QString &field, const QString &format);
    void setReadOnly(const QString &field, bool readOnly = true);
    void addCalculatedField(const QString &name, FieldType type, const QString &displayFormat = {});
    // In-memory record sets only.
    void addField(const QString &name, FieldType type, int size = 0);

    void open();
    void close();
    bool isOpen() const { return m_state != DatasetState::Inactive; }
    // Runs the text as a statement without result; returns the number of rows changed.
    int execSql();

    // Fields, by position or by name without regard to case.
    int fieldCount() const { return int(m_fields.size()); }
    const Field &field(int index) const { return m_fields.at(index); }
    int fieldIndex(const QString &name) const;
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }

    // The current row (or, inside the calculated-fields hook, the row being calculated).
    QVariant value(const QString &field) const;
    QString text(const QString &field) const;        // plain text of the value ("" for null)
    QString displayText(const QString &field) const; // with the field's display format
    int intValue(const QString &field) const { return value(field).toInt(); }
    double floatValue(const QString &field) const { return value(field).toDouble(); }
    // Writes a value into the row being edited or inserted (or a calculated field inside the
    // calculated-fields hook). Outside those states it puts the row into editing first.
    void setValue(const QString &field, const QVariant &value);
    // Converts a typed text by the field's type; ConversionError when it does not convert.
    void setText(const QString &field, const QString &text);

    // Any row, without moving the cursor.
    QVariant value(int row, int column) const;
    QString displayText(int row, int column) const;

    // Cursor.
    int recordCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    int recNo() const { return m_current; } // 0-based; -1 when empty
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);
    bool locate(const QString &field, const QVariant &value);

    // Editing.
    DatasetState state() const { return m_state; }
    bool isEditing() const { return m_state == DatasetState::Edit || m_state == DatasetState::Insert; }
    bool modified() const { return m_modified; }
    void edit();
    void append();
    void insert();
    void post();
    void cancel();
    void remove();
    void refresh();
    // Leaves editing as a move to another row does: posts a modified row, drops an
    // unmodified one.
    void checkBrowseMode();
    // Runs the calculated-fields hook over every row again.
    void recalculate();

signals:
    void reset();                 // opened, closed, refreshed: everything may have changed
    void rowChanged(int row);
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void currentChanged(int row);
    void stateChanged();

private:
    struct Row
    {
        std::vector<QVariant> values;
        qint64 rowid = 0;
    };

    void requireOpen() const;
    void requireLive() const;
    engine::Params boundParams() const;
    void applyFieldSettings();
    void calculate(int row);
    void setCurrent(int row);
    void beginNewRow(int at);
    void writeBack(Row &row);
    void onMasterChanged();
    int requireField(const QString &name) const;
    const Row *activeRow() const;

    engine::Connection *m_db;
    QString m_sql;
    bool m_live = false;
    std::vector<engine::Param> m_params;
    Dataset *m_master = nullptr;
    QString m_table;

    std::vector<Field> m_fields;
    std::vector<Field> m_calculatedFields;
    std::vector<Field> m_memoryFields;
    QHash<QString, QString> m_formats;  // upper-case field name -> display format
    QHash<QString, bool> m_readOnly;    // upper-case field name -> read-only

    std::vector<Row> m_rows;
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    DatasetState m_state = DatasetState::Inactive;
    bool m_modified = false;
    Row m_backup;            // the row before editing, for cancel
    int m_insertFrom = -1;   // current row before an insert, for cancel
    int m_calcRow = -1;      // the row the calculated-fields hook works on
};

} // namespace data
