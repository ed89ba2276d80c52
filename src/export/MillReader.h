#pragma once

#include "engine/Error.h"
#include "export/MillProtocol.h"

#include <QByteArray>

namespace exporting {

// A sawmill document that cannot be read as a measurement protocol; the message says which
// file and what is wrong, as the user reads it.
class MillReadError : public engine::Error
{
public:
    using Error::Error;
};

// Reads an ELDATsmart 1.0.3 measurement protocol (module measurement_journal) of any of its
// four kinds. Refuses broken JSON, other modules and other versions, and figures of the wrong
// type in the fields it reads; `fileName` is named in every message. Fields the schema
// requires without defining them (stem_length, diameter_length, diameter_length_top) are read
// only where they have the form of a number or diameter list, never relied upon.
MillProtocol readMillProtocol(const QByteArray &json, const QString &fileName);

// The same for a file; a file that cannot be opened is refused with the system's reason.
MillProtocol readMillProtocolFile(const QString &path);

} // namespace exporting
