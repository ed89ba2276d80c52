#include "entry/EntryGridModel.h"

namespace entry {

namespace {

std::vector<controls::GridColumn> gridColumns(const std::vector<EntryGridModel::Column> &columns)
{
    std::vector<controls::GridColumn> out;
    out.reserve(columns.size());
    for (const EntryGridModel::Column &c : columns)
        out.push_back(c.grid);
    return out;
}

} // namespace

EntryGridModel::EntryGridModel(data::Dataset &dataset, const std::vector<Column> &columns, QObject *parent)
    : controls::DatasetTableModel(dataset, gridColumns(columns), parent)
{
    for (const Column &c : columns)
        m_titleAlignment.push_back(c.titleAlignment);
    connect(&dataset, &data::Dataset::currentChanged, this, &EntryGridModel::indicatorMoved);
    connect(&dataset, &data::Dataset::stateChanged, this, &EntryGridModel::indicatorMoved);
    connect(&dataset, &data::Dataset::reset, this, [this] { m_indicatorRow = -1; });
    connect(&dataset, &data::Dataset::rowRemoved, this, [this] { m_indicatorRow = -1; });
}

QVariant EntryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role != Qt::DisplayRole)
            return {};
        const data::Dataset &ds = dataset();
        if (section != ds.recNo())
            return QString();
        switch (ds.state()) {
        case data::DatasetState::Insert:
            return QStringLiteral("*");
        case data::DatasetState::Edit:
            return QStringLiteral("I");
        default:
            return QStringLiteral("\u25B6");
        }
    }
    if (role == Qt::TextAlignmentRole && section >= 0 && section < int(m_titleAlignment.size()))
        return QVariant::fromValue(m_titleAlignment[section]);
    return controls::DatasetTableModel::headerData(section, orientation, role);
}

void EntryGridModel::indicatorMoved()
{
    const int rows = rowCount();
    const int now = dataset().recNo();
    if (m_indicatorRow >= 0 && m_indicatorRow < rows && m_indicatorRow != now)
        emit headerDataChanged(Qt::Vertical, m_indicatorRow, m_indicatorRow);
    if (now >= 0 && now < rows)
        emit headerDataChanged(Qt::Vertical, now, now);
    m_indicatorRow = now;
}

} // namespace entry
