#pragma once

#include <QString>
#include <functional>

namespace zorvel {

class Messages;

// Runs one command of a window. An error the command does not catch itself ends the command and is
// shown: another workstation's lock as the lock message, any other server error with its own text
// (caption "Ошибка"), anything else with the program's title as the caption. Returns false when the
// command failed, so that the caller stops there and never reports success after it.
bool runCommand(Messages& messages, const std::function<void()>& command);

} // namespace zorvel
