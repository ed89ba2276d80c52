#pragma once

#include "export/ExportData.h"

#include <optional>

namespace exporting {

// The ELDAT facts offered for a list: the ones stored for it, or for a list without any,
// today as felling date and the species, grade and use that its Baumart and Sorte suggest.
// A Baumart changed since the species was chosen suggests the species again.
values::EldatFacts offeredFacts(const values::ListHeader &header, const std::optional<values::EldatFacts> &stored, const QDate &today);

} // namespace exporting
