// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

/// The small services the application offers every part of the program.

/// The string-table text of id (empty when there is none).
std::string LoadText(int id);

/// Batch mode's console: no console is allocated on Linux; this sets the
/// terminal title and writes the banner line. True when the banner could
/// be written.
bool OpenConsole();

/// Writes text to standard output; true when every byte was written.
bool WriteConsoleText(const std::string& text);

/// WriteConsoleText(text + "\r\n"), the line end written as "\n".
bool WriteConsoleLine(const std::string& text);

/// Writes prompt (when given) and waits for a key press; returns at once
/// when standard input is not a terminal.
void WaitForKey(const std::string& prompt);

/// Creates an empty file with a unique name beginning "NR" in the
/// temporary folder and returns its full name (empty on failure).
std::string MakeTempFileName();
