#pragma once

#include "invoiceregister/Entry.h"

#include <QString>

#include <vector>

namespace invoiceregister {

// What the register window shows: the invoices of one year (0: every year) whose customer's
// name begins with the typed text, without regard to case.
struct Filter
{
    int year = 0;
    QString customer;

    bool matches(const Entry &entry) const;
};

// The rows the filter lets through, in their order.
std::vector<const Entry *> filtered(const std::vector<Entry> &entries, const Filter &filter);

// The sums of net, VAT and gross of rows. A copy is the same invoice again and counts once,
// through its original; a cancellation counts with its negated amounts.
struct Sums
{
    values::Cents net = 0;
    values::Cents vat = 0;
    values::Cents gross = 0;
};
Sums sumsOf(const std::vector<const Entry *> &rows);

// The years of the invoice dates in the register, newest first, each once.
std::vector<int> yearsOf(const std::vector<Entry> &entries);

} // namespace invoiceregister
