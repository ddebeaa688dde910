// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/CommandLineKeywords.h"

#include <string>
#include <vector>

/// Process exit codes.
constexpr int kExitSuccess = 0;
constexpr int kExitRenameFailed = 1;
constexpr int kExitInvalidFolder = 2;

/// The application object: finds its files, reads the command line and
/// runs the program in the mode the keywords choose.
class CRenameApp {
public:
    /// executablePath is the full path of the running program (used to find
    /// the settings file beside it); arguments are argv[1..].
    CRenameApp(std::string executablePath, std::vector<std::string> arguments);

    /// Runs the batch rename and returns the exit status; the window of an
    /// interactive run is started by main (the window layer sits above this
    /// one).
    int Run();

    const std::string& GetSettingsFilePath() const { return settingsFilePath; }
    const std::string& GetHelpFilePath() const { return helpFilePath; }
    const CCommandLineKeywords& GetKeywords() const { return keywords; }
    bool IsBatchMode() const { return keywords.GetRename() == "1"; }

    /// The settings file: beside the executable when a file named like it
    /// with the extension "ini" lies there (a portable install), else
    /// $XDG_CONFIG_HOME/NorvikRename/norvikrename.ini.
    static std::string FindSettingsFilePath(const std::string& executablePath);

    /// Where the window keeps the undo journal of its last rename:
    /// $XDG_STATE_HOME/NorvikRename/undo.sh (default ~/.local/state/...).
    static std::string FindUndoJournalPath();

private:
    int RunBatch();

    std::string executablePath;
    std::vector<std::string> arguments;
    std::string settingsFilePath;
    std::string helpFilePath;
    CCommandLineKeywords keywords;
};
