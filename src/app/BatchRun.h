// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CRenameCore;

/// The batch run of the command line: renames the rows of a core that is
/// set up for it (batch mode, folder, mask and rules applied) on the
/// console, writes the undo script while the files move and waits for a
/// key as asked. Window-free; the application object makes one per run.
class CBatchRun {
public:
    explicit CBatchRun(CRenameCore& core);

    /// Runs on path with the undo script undoFile (empty: none) and waits
    /// for a key when pause is empty or "1". Returns the exit status:
    /// kExitSuccess when everything moved or there was nothing to do,
    /// kExitRenameFailed when a move failed or the undo script is not where
    /// it was asked for, kExitInvalidFolder when path is not a folder or the
    /// options file could not be read.
    int Run(const std::string& path, const std::string& undoFile, const std::string& pause);

private:
    /// The rename with its undo script; returns the exit status.
    int RenameWithUndoScript(const std::string& undoFile);

    CRenameCore& core;
};
