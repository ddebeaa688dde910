// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileSystem.h"
#include "platform/JournalFile.h"
#include "platform/OutputFile.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// The two forms of a rename or undo script.
enum class ScriptForm {
    /// The Windows command script: REM line, one rename line per move,
    /// Pause, CR LF line ends.
    Windows,
    /// A POSIX shell script doing the same job safely: every path single-
    /// quoted, a move that never overwrites and reports each failure, LF
    /// line ends, run bits set.
    Shell,
};

/// Windows for a name ending in ".bat" or ".cmd" (any case), else Shell.
ScriptForm ScriptFormForPath(std::string_view path);

/// text in single quotes for a POSIX shell; a ' inside becomes '\''.
std::string ShellQuote(std::string_view text);
/// ShellQuote appended to out.
void AppendShellQuoted(std::string& out, std::string_view text);

/// Writes a script move by move. The file is created by Create; each Add
/// writes one move; Finish writes the end and closes. Any failure (also a
/// full disk) makes Finish return false.
class CScriptWriter {
public:
    /// Creates the file and writes the head. The form follows the name.
    bool Create(const std::string& path, int& error);
    /// One move of fromPath (a full path) to toPath (a full path; the
    /// Windows form names only its last component, as its rename command
    /// wants).
    bool Add(std::string_view fromPath, std::string_view toPath);
    /// Writes the buffered lines out (so that a script stays usable up to
    /// here when the program is killed).
    bool Flush();
    /// Writes the end and closes; false with the errno value on any failure.
    bool Finish(int& error);

    ScriptForm Form() const { return form; }

private:
    platform::COutputFile file;
    ScriptForm form = ScriptForm::Shell;
    std::string line; // reused for every move
};

/// The undo script of a batch run, written while the moves happen so that a
/// run killed half way leaves a script that undoes what was done. Each move
/// is in the system's hands before it is made (appended to a mapped file,
/// so a kill leaves whole lines and no system call is spent per move), and
/// taken back when it fails. The shell form records
/// the moves and makes them, the last one first, when the script ends (also
/// a script cut short); the Windows form cannot, so its lines are kept and
/// written in undo order by Finish.
///
/// The script grows under a temporary name beside its path and takes the
/// path at the first move that was made (Commit), so that a run that renames
/// nothing leaves no script and an older file of that name untouched. It
/// replaces only the file that stood at its path when it was created: a
/// file that the run (or anyone) has moved or made there since keeps the
/// path, and the script stays under its temporary name, reported by Commit
/// and Finish.
class CUndoJournal {
public:
    CUndoJournal() = default;
    ~CUndoJournal();
    CUndoJournal(const CUndoJournal&) = delete;
    CUndoJournal& operator=(const CUndoJournal&) = delete;

    /// Creates the temporary file and writes the head.
    bool Create(const std::string& path, int& error);
    bool IsOpen() const { return file.IsOpen(); }
    /// The path the script is meant for.
    const std::string& GetPath() const { return finalPath; }
    /// The errno value of the first line that could not be written, 0 when
    /// none.
    int GetError() const { return file.GetError(); }
    /// Before a move of oldPath to newPath: the script will move newPath
    /// back to oldPath. An identity of the file (platform::FileIdentityText)
    /// goes on the line as a third word, which the shell passes over and
    /// ReadUndoJournal gives back.
    bool AddMove(std::string_view oldPath, std::string_view newPath,
                 std::string_view identity = {});
    /// After AddMove, when that move failed.
    bool CancelLastMove();
    /// After the first move that was made: the script takes its path,
    /// replacing the file that stood there at Create, but no other (EEXIST;
    /// every later Commit and Finish then fails the same way).
    bool Commit(int& error);
    bool IsCommitted() const { return committed; }
    /// Writes the end and closes; false with the errno value on any failure
    /// (the script is then left as it is, never reported as written).
    bool Finish(int& error);
    /// Closes and removes the script: the temporary file of a run that moved
    /// nothing, or a script that could not be written completely.
    void Discard();

private:
    bool WriteLine(std::string_view line);

    platform::CJournalFile file;
    ScriptForm form = ScriptForm::Shell;
    std::string finalPath;
    std::string tempPath;
    platform::CEntryIdentity finalPathBefore; ///< what stood at finalPath at Create
    int commitError = 0;
    bool committed = false;
    bool created = false; ///< the file at tempPath (or finalPath once committed) is ours
    std::vector<std::pair<std::string, std::string>> windowsMoves;
    std::string line; // reused for every move
};
