#pragma once

#include <QString>

namespace values {

// A list's header: what a user types above the logs in the entry window (or an imported list
// brings along), as its row in the header table holds it. The invoice and the register keep
// the part they print; an export carries it with the list's name. Every field has its default,
// so that a header may be written with its first fields only.
struct ListHeader
{
    QString department{}; // ABTEILUNG
    QString species{};    // BAUMART, as typed
    QString assortment{}; // SORTE, as typed
    QString text{};       // ZUSATZTEXT, the description
    bool peeled = false;  // GESCHAELT
    bool skidded = false; // GERUECKT
    QString name{};       // the list's name (OFFSET), where the header travels without its list

    bool operator==(const ListHeader &) const = default;
};

} // namespace values
