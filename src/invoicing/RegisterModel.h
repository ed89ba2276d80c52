#pragma once

#include "invoiceregister/Entry.h"

#include <QAbstractTableModel>

#include <vector>

namespace invoicing {

// The rows of the invoice register as the register window's grid shows them: number, date,
// customer, list, net, VAT, gross and kind, amounts in the user's notation. The entries belong
// to the window and must outlive the rows handed in.
class RegisterModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Number, Date, Customer, List, Net, Vat, Gross, Kind, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<const invoiceregister::Entry *> rows);
    const std::vector<const invoiceregister::Entry *> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // An amount as the grid and the sum line show it: "1.234,56".
    static QString amountText(values::Cents cents);

private:
    std::vector<const invoiceregister::Entry *> m_rows;
};

} // namespace invoicing
