#include "evaluation/MillTableModel.h"

#include <QBrush>
#include <QColor>

namespace evaluation {

MillTableModel::MillTableModel(QStringList titles, int textColumns, QObject *parent)
    : QAbstractTableModel(parent), m_titles(std::move(titles)), m_textColumns(textColumns)
{
}

void MillTableModel::setRows(int count, Texts texts, Marked marked)
{
    beginResetModel();
    m_count = count;
    m_texts = std::move(texts);
    m_marked = std::move(marked);
    endResetModel();
}

int MillTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int MillTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant MillTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_count)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_texts(index.row()).value(index.column());
    case Qt::BackgroundRole:
        if (m_marked && m_marked(index.row()))
            return QBrush(QColor(255, 214, 214));
        return {};
    case Qt::TextAlignmentRole:
        return int(Qt::AlignVCenter | (index.column() < m_textColumns ? Qt::AlignLeft : Qt::AlignRight));
    default:
        return {};
    }
}

QVariant MillTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_titles.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace evaluation
