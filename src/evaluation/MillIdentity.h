#pragma once

#include "values/EldatFacts.h"
#include "export/MillProtocol.h"

#include <QString>

#include <optional>

namespace evaluation {

// The question put to the user when a sawmill's protocol names another list than the open
// one: by its lot number (the list name), its pile number, the process id of the list's
// ELDATsmart documents or the module id of the one it answers. Only what both sides name is
// compared. Empty when nothing names another list.
QString otherListQuestion(const exporting::MillReference &reference, const QString &listName,
                          const std::optional<values::EldatFacts> &facts);

} // namespace evaluation
