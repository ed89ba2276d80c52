#pragma once

#include <QString>

#include <optional>

namespace rules {

// The longest list name the new-list window takes (its name field holds 18 characters).
inline constexpr int MaxListNameLength = 18;

// True when the text reads in full as a 64-bit signed whole number: leading blanks, an
// optional "+" or "-", then decimal digits or a hexadecimal number after "$" or "0x"/"0X",
// converted completely and within range.
bool isWholeNumber64(const QString &text);

// Why a list name was refused: which rule, how the message is shown, and its text.
struct ListNameRefusal
{
    enum class Rule { Number, Empty, Identifier, Length, Exists };
    enum class Kind { Information, Error };

    Rule rule;
    Kind kind;
    QString text;
};

struct ListNameChecks
{
    bool maxLength = false; // also refuse names longer than MaxListNameLength
};

// The rules a new list name must pass, in order: not a whole number, not empty, a plain
// identifier that is no keyword of the SQL engine, (optionally) not too long, and no table
// file of that name in the data folder (file names are lower case, so another case of the
// letters is found too). Returns the first rule that fails, or nothing when the name may be
// used. The name is taken as typed.
std::optional<ListNameRefusal> checkNewListName(const QString &name, const QString &dataPath, ListNameChecks checks = {});

} // namespace rules
