// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

/// Standard output and the keyboard for batch mode.
namespace platform {

/// Writes text to standard output, each "\r\n" turned into "\n". True when
/// every byte was written.
bool WriteStandardOutput(std::string_view text);
/// The same with a line end after it.
bool WriteStandardOutputLine(std::string_view text);

/// Pushes buffered output to the file or terminal.
bool FlushStandardOutput();

/// Pushes buffered output at the end of a line when it goes to a terminal,
/// and otherwise (a pipe or a file) when the last push is 100 ms ago, so
/// that a long run shows its progress without a system call per line.
bool FlushStandardOutputAtLineEnd();

/// Gives standard output a large buffer when it is not a terminal, so that
/// a file or a pipe gets its lines in few large writes (and still at least
/// every 100 ms through FlushStandardOutputAtLineEnd). Call it before
/// anything is written.
void UseLargeOutputBuffer();

/// True when standard output / standard input is a terminal.
bool IsOutputTerminal();
bool IsInputTerminal();

/// Sets the terminal's window title when standard output is a terminal.
void SetTerminalTitle(std::string_view title);

/// Waits for one key press on the terminal (raw mode, pending input
/// discarded before and after). Returns at once when standard input is not
/// a terminal, so scripts and CI never hang.
void WaitForKeyPress();

} // namespace platform
