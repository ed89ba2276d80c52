#include "controls/DatasetTableModel.h"

#include "values/DisplayFormat.h"

namespace controls {

DatasetTableModel::DatasetTableModel(data::Dataset &dataset, std::vector<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), m_dataset(dataset), m_columns(std::move(columns))
{
    connect(&m_dataset, &data::Dataset::reset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&m_dataset, &data::Dataset::rowAboutToBeInserted, this, [this](int row) { beginInsertRows({}, row, row); });
    connect(&m_dataset, &data::Dataset::rowInserted, this, [this](int) { endInsertRows(); });
    connect(&m_dataset, &data::Dataset::rowAboutToBeRemoved, this, [this](int row) { beginRemoveRows({}, row, row); });
    connect(&m_dataset, &data::Dataset::rowRemoved, this, [this](int) { endRemoveRows(); });
    connect(&m_dataset, &data::Dataset::rowChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

int DatasetTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_dataset.isOpen())
        return 0;
    return m_dataset.recordCount();
}

int DatasetTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

int DatasetTableModel::fieldIndex(int column) const
{
    return m_dataset.fieldIndex(m_columns[column].field);
}

int DatasetTableModel::columnOfField(const QString &field) const
{
    for (int i = 0; i < int(m_columns.size()); ++i)
        if (m_columns[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant DatasetTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const GridColumn &col = m_columns[index.column()];
    const int field = fieldIndex(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return field < 0 ? QVariant() : m_dataset.displayText(index.row(), field);
    case Qt::EditRole: {
        if (field < 0)
            return {};
        const QVariant v = m_dataset.value(index.row(), field);
        if (v.isNull())
            return QString();
        if (v.typeId() == QMetaType::Double)
            return values::display::formatGeneral(v.toDouble());
        return v.toString();
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(col.alignment);
    case Qt::BackgroundRole:
        return col.background.isValid() ? QVariant(col.background) : QVariant();
    default:
        return {};
    }
}

bool DatasetTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int field = fieldIndex(index.column());
    if (field < 0)
        return false;
    try {
        const QString text = value.toString();
        const QVariant before = m_dataset.value(index.row(), field);
        const QString beforeText = data(index, Qt::EditRole).toString();
        if (text == beforeText && !(before.isNull() && !text.isEmpty()))
            return true; // nothing typed: the row stays unmodified, and the cursor where it is
        if (m_dataset.recNo() != index.row())
            m_dataset.moveTo(index.row());
        m_dataset.setText(m_columns[index.column()].field, text);
        return true;
    } catch (const std::exception &e) {
        if (onError)
            onError(e);
        return false;
    }
}

Qt::ItemFlags DatasetTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int field = fieldIndex(index.column());
    if (!m_readOnly && !m_columns[index.column()].readOnly && field >= 0 && !m_dataset.field(field).readOnly
        && !m_dataset.field(field).calculated)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant DatasetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_columns[section].title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[section].alignment);
    return {};
}

void DatasetTableModel::setReadOnly(bool readOnly)
{
    beginResetModel();
    m_readOnly = readOnly;
    endResetModel();
}

} // namespace controls
