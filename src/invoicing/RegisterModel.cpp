#include "invoicing/RegisterModel.h"

#include "values/DisplayFormat.h"

namespace invoicing {

void RegisterModel::setRows(std::vector<const invoiceregister::Entry *> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int RegisterModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int RegisterModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString RegisterModel::amountText(values::Cents cents)
{
    return values::display::formatFloat(QStringLiteral("###,##0.00"), values::toAmount(cents));
}

QVariant RegisterModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const bool amount = index.column() == Net || index.column() == Vat || index.column() == Gross;
    if (role == Qt::TextAlignmentRole)
        return amount ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const invoiceregister::Entry &e = *m_rows[static_cast<size_t>(index.row())];
    switch (index.column()) {
    case Number: return e.number;
    case Date: return e.invoiceDate.toString(QStringLiteral("dd.MM.yyyy"));
    case Customer: return e.customerName;
    case List: return e.listName;
    case Net: return amountText(e.net);
    case Vat: return amountText(e.vat);
    case Gross: return amountText(e.gross);
    case Kind: return e.kindLabel();
    default: return {};
    }
}

QVariant RegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {"Rechnungs-Nr", "Datum", "Kunde", "Liste", "Netto", "MwSt", "Brutto", "Art"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

} // namespace invoicing
