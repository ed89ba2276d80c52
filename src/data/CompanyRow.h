#pragma once

#include "values/Seller.h"

namespace data {

class Dataset;

// The company row (table Firma) as the seller of every invoice, e-invoice and export: the
// current record of the company query. Every text is taken without leading and trailing
// blanks, the country in capitals as typed ("d" is "D"; values::countryCode makes the ISO
// code of it). Columns the data folder does not have, and every field of a closed or empty
// query, stay empty.
values::Seller companyRow(const Dataset &firma);

} // namespace data
