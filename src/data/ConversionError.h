#pragma once

#include "engine/Error.h"

namespace data {

// A text that does not convert to the type of its field, such as letters typed into a
// length cell. The message is shown as it stands in the general error box.
class ConversionError : public engine::Error
{
public:
    using Error::Error;
};

} // namespace data
