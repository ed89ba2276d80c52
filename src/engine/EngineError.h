#pragma once

#include "engine/Error.h"

namespace engine {

// The one error type of the local SQL engine. It carries the engine's own message (as the
// user will read it in the general error box) and SQLite's result code where there is one.
class EngineError : public Error
{
public:
    explicit EngineError(const QString &message, int code = 0) : Error(message), m_code(code) {}

    int code() const { return m_code; }

private:
    int m_code;
};

} // namespace engine
