// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Services.h"

#include "platform/Console.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"

std::string LoadText(int id) {
    return std::string(LookupString(id));
}

bool OpenConsole() {
    platform::UseLargeOutputBuffer();
    platform::SetTerminalTitle("NorvikRename");
    return WriteConsoleLine("NorvikRename Batch-mode");
}

bool WriteConsoleText(const std::string& text) {
    return platform::WriteStandardOutput(text);
}

bool WriteConsoleLine(const std::string& text) {
    // A line reaches a terminal as soon as it is complete; a pipe or a file
    // gets the lines at least every 100 ms, so a long run shows its progress
    // without a system call per line.
    return platform::WriteStandardOutputLine(text) && platform::FlushStandardOutputAtLineEnd();
}

void WaitForKey(const std::string& prompt) {
    if (!prompt.empty()) {
        WriteConsoleText(prompt);
    }
    platform::WaitForKeyPress();
}

std::string MakeTempFileName() {
    return platform::CreateTempFile("NR");
}
