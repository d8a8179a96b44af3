// The script commands of tolvenar-headless, one line at a time.
#pragma once

#include <string>

enum class CommandResult { Ok, Close, Error };

// Runs one script line (blank lines and # comments do nothing). Output goes
// to standard output; on Error, `error` says what was wrong.
CommandResult RunCommandLine(const std::string& line, std::string* error);

// The whole game state as one line of JSON.
std::string StateJson();
