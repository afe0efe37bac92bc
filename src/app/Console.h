#pragma once

#include <functional>
#include <string>

#include "app/Outcome.h"

namespace app {

class Session;

inline constexpr const char* kConsoleSuccessMessage = ".دستور مورد نظر با موفقيت اجرا گرديد";
// Commands are typed with Latin letters: the console asks for US English on every showing.
inline constexpr const char* kConsoleKeyboardLayout = "00000409";

// "Error class: " + class + CR + "Error message: " + message.
std::string consoleFailureMessage(const ErrorInfo& error);

// Opening the SQL console: resolve and connect as a run does, then prepare the console
// (keyboard layout). Completed: the console may be shown, on the open main connection.
// Cancelled: nothing opened, nothing shown. Failed: the error dialog has been shown.
Outcome openConsole(Session& session);

// Executes the whole text once on the main connection, keeping what it returns (result sets,
// rows affected, messages) in the outcome, and shows the success message or the failure
// message; a failure goes no further. The calls are seen by
// observers under the role "console".
// `showResults`, when given, is shown what the command returned (also before a failure) just
// before the message.
Outcome executeConsoleText(Session& session, const std::string& text,
                           const std::function<void(const db::Results&)>& showResults = {});

}  // namespace app
