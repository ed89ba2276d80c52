#pragma once

#include "controls/DialogService.h"

#include <QString>

#include <exception>
#include <utility>

namespace controls {

// The message of any error the program raises (engine, conversion, report, file): our errors
// carry their text as UTF-8 in what().
inline QString errorText(const std::exception &e)
{
    return QString::fromUtf8(e.what());
}

// Runs a handler; an error it does not catch itself ends it and is shown in the general error
// box with its own text, and the program goes on. Returns false when the handler failed.
template <typename Handler>
bool guarded(DialogService &dialogs, Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception &e) {
        dialogs.error(errorText(e));
    } catch (...) {
        dialogs.error(QStringLiteral("Unbekannter Fehler"));
    }
    return false;
}

} // namespace controls
