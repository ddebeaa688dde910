#include "app/Services.h"

#include "platform/Console.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"

std::string LoadText(int id) { return std::string(LookupString(id)); }

bool OpenConsole() {
    platform::SetTerminalTitle("NorvikRename");
    return WriteConsoleLine("NorvikRename Batch-mode");
}

bool WriteConsoleText(const std::string& text) { return platform::WriteStandardOutput(text); }

bool WriteConsoleLine(const std::string& text) {
    // A line reaches the terminal (or the pipe) as soon as it is complete,
    // so a long run shows its progress and a killed run keeps its output.
    return WriteConsoleText(text + "\r\n") && platform::FlushStandardOutput();
}

void WaitForKey(const std::string& prompt) {
    if (!prompt.empty()) {
        WriteConsoleText(prompt);
    }
    platform::WaitForKeyPress();
}

std::string MakeTempFileName() { return platform::CreateTempFile("NR"); }
