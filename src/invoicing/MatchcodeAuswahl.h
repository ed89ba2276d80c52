#pragma once

#include <QString>

class TFormMatchcode;
namespace data {
class Dataset;
}

// Lets the user pick a record in the match-code window and hands back one field of it.
// `statement` is the search with one parameter MATCHCODE; the window searches with `query`
// (the data module's match-code query). `result` is the field `resultField` of the chosen
// record as text, empty when the search holds no record. The query is closed afterwards.
void MatchcodeAuswahl(TFormMatchcode &window, data::Dataset &query, const QString &statement, const QString &resultField,
                      QString &result);
