#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>

namespace evaluation {

// A read-only table of texts made row by row only when shown, so that a protocol of ten
// thousand logs shows at once; marked rows are painted red.
class MillTableModel : public QAbstractTableModel
{
public:
    using Texts = std::function<QStringList(int row)>;
    using Marked = std::function<bool(int row)>;

    // The first `textColumns` columns are aligned left, the figures right.
    MillTableModel(QStringList titles, int textColumns, QObject *parent);

    // Replaces the rows.
    void setRows(int count, Texts texts, Marked marked = {});

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_titles;
    int m_textColumns;
    int m_count = 0;
    Texts m_texts;
    Marked m_marked;
};

} // namespace evaluation
