#include "invoiceregister/RegisterView.h"

#include <algorithm>
#include <set>

namespace invoiceregister {

bool Filter::matches(const Entry &entry) const
{
    if (year != 0 && entry.invoiceDate.year() != year)
        return false;
    const QString typed = customer.trimmed();
    return typed.isEmpty() || entry.customerName.trimmed().startsWith(typed, Qt::CaseInsensitive);
}

std::vector<const Entry *> filtered(const std::vector<Entry> &entries, const Filter &filter)
{
    std::vector<const Entry *> rows;
    rows.reserve(entries.size());
    for (const Entry &e : entries) {
        if (filter.matches(e))
            rows.push_back(&e);
    }
    return rows;
}

Sums sumsOf(const std::vector<const Entry *> &rows)
{
    Sums s;
    for (const Entry *e : rows) {
        if (e->copy)
            continue;
        s.net += e->net;
        s.vat += e->vat;
        s.gross += e->gross;
    }
    return s;
}

std::vector<int> yearsOf(const std::vector<Entry> &entries)
{
    std::set<int, std::greater<int>> years;
    for (const Entry &e : entries) {
        if (e.invoiceDate.isValid())
            years.insert(e.invoiceDate.year());
    }
    return {years.begin(), years.end()};
}

} // namespace invoiceregister
