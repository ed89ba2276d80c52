#pragma once

#include "engine/Error.h"

namespace data {

// A list that can take no further log: its largest log number is the largest one there is.
class ListFullError : public engine::Error
{
public:
    using Error::Error;
};

} // namespace data
