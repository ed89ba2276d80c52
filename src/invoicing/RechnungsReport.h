#pragma once

#include "evaluation/PreparedReport.h"

#include <QString>

class TDMod;
namespace data {
class Dataset;
}

namespace invoicing {

// The invoice, ready to print: the template loaded from its file and the queries handed to it
// under the names its items use: dbFirma, dbKunden, dbDorvdaten (the invoice lines),
// dbZusatzdaten (the list header), dbRechnungsdaten (the invoice number) and Firma. A
// template that cannot be read raises the report engine's error. The datasets must outlive
// the report.
evaluation::PreparedReport RechnungsReport(const QString &templatePath, TDMod &dmod, const data::Dataset &rechnungsdaten);

} // namespace invoicing
