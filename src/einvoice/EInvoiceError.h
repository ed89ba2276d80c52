#pragma once

#include "engine/Error.h"

namespace einvoice {

// An e-invoice that cannot be produced or written. The text is German and meant for the user,
// shown as it stands in the program's error box.
class EInvoiceError : public engine::Error
{
public:
    using Error::Error;
};

} // namespace einvoice
