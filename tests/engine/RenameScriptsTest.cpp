// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RenameScripts.h"

#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Names a Linux folder can hold that break careless quoting: quotes, shell
// expansions, escapes, line breaks, option-like names, blanks, bytes that
// are not UTF-8 and glob characters. The command substitutions would
// create a file named pwned* in the working folder if they ever ran.
const std::vector<std::string> kNastySources = {
    "it's",
    "a\"b",
    "$HOME",
    "`ls`",
    "new\nline",
    "-n",
    "--",
    " lead and trail ",
    "\\back",
    "\xff\xfe raw",
    "*?[]",
    "-",
    "$(touch pwned)",
    "'; touch pwned2; '",
};
const std::vector<std::string> kNastyTargets = {
    "-e", "x'y'z",        "\"quoted\"", "${PATH}", "line\nbreak\n",  "--force",   "tab\there", "\\",
    " ",  "\xc3\x28 bad", "[a-z]*",     "!",       "`touch pwned3`", "it''s \\'",
};

struct CRunResult {
    int exitCode = -1;
    std::string errors;
};

// Runs a script with /bin/sh inside folder, so that anything it wrongly
// creates lands there.
CRunResult RunScript(const CTempFolder& folder, const std::string& script) {
    const std::string errorsPath = folder / "..stderr";
    const std::string command = "cd " + ShellQuote(folder.Path()) + " && /bin/sh " +
                                ShellQuote(script) + " 2>" + ShellQuote(errorsPath);
    const int status = std::system(command.c_str());
    CRunResult result;
    if (status != -1 && WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    result.errors = ReadWholeFile(errorsPath);
    fs::remove(errorsPath);
    return result;
}

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

bool WriteScript(const std::string& path,
                 const std::vector<std::pair<std::string, std::string>>& moves) {
    CScriptWriter writer;
    int error = 0;
    if (!writer.Create(path, error)) {
        return false;
    }
    for (const auto& [from, to] : moves) {
        if (!writer.Add(from, to)) {
            return false;
        }
    }
    return writer.Finish(error);
}

bool HasRunBits(const std::string& path) {
    return (fs::status(path).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

TEST(RenameScriptForm, FollowsTheExtension) {
    EXPECT_EQ(ScriptFormForPath("/tmp/renbatch.bat"), ScriptForm::Windows);
    EXPECT_EQ(ScriptFormForPath("/tmp/UNDO.BAT"), ScriptForm::Windows);
    EXPECT_EQ(ScriptFormForPath("/tmp/undo.Cmd"), ScriptForm::Windows);
    EXPECT_EQ(ScriptFormForPath("rename.cmd"), ScriptForm::Windows);
    EXPECT_EQ(ScriptFormForPath("/tmp/rename.sh"), ScriptForm::Shell);
    EXPECT_EQ(ScriptFormForPath("/tmp/rename"), ScriptForm::Shell);
    EXPECT_EQ(ScriptFormForPath("/tmp/rename.bat.sh"), ScriptForm::Shell);
    EXPECT_EQ(ScriptFormForPath("/tmp/rename.batch"), ScriptForm::Shell);
    EXPECT_EQ(ScriptFormForPath("/tmp/renamebat"), ScriptForm::Shell);
    EXPECT_EQ(ScriptFormForPath("/tmp/x.bat/script"), ScriptForm::Shell);
    EXPECT_EQ(ScriptFormForPath(""), ScriptForm::Shell);
}

TEST(RenameScriptShellQuote, QuotesEveryByteLiterally) {
    EXPECT_EQ(ShellQuote(""), "''");
    EXPECT_EQ(ShellQuote("plain.txt"), "'plain.txt'");
    EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
    EXPECT_EQ(ShellQuote("''"), "''\\'''\\'''");
    EXPECT_EQ(ShellQuote("$x `y` \\ \"z\"\n-"), "'$x `y` \\ \"z\"\n-'");
    EXPECT_EQ(ShellQuote("\xff\xfe"), "'\xff\xfe'");
}

TEST(RenameScriptShellQuote, ShellGivesBackTheSameBytes) {
    CTempFolder folder;
    std::vector<std::string> texts = kNastySources;
    texts.insert(texts.end(), kNastyTargets.begin(), kNastyTargets.end());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string out = folder / ("out" + std::to_string(i));
        const std::string command = "cd " + ShellQuote(folder.Path()) + " && printf '%s' " +
                                    ShellQuote(texts[i]) + " >" + ShellQuote(out);
        ASSERT_EQ(std::system(command.c_str()), 0) << i;
        EXPECT_EQ(ReadWholeFile(out), texts[i]) << i;
    }
    EXPECT_FALSE(fs::exists(folder / "pwned"));
    EXPECT_FALSE(fs::exists(folder / "pwned2"));
    EXPECT_FALSE(fs::exists(folder / "pwned3"));
}

TEST(RenameScriptWindows, ExactBytesForTwoMoves) {
    CTempFolder folder;
    const std::string path = folder / "renbatch.BAT";
    CScriptWriter writer;
    int error = 0;
    ASSERT_TRUE(writer.Create(path, error));
    EXPECT_EQ(writer.Form(), ScriptForm::Windows);
    ASSERT_TRUE(writer.Add("/photos/IMG 0001.jpg", "/photos/Holiday 01.jpg"));
    ASSERT_TRUE(writer.Add("/photos/caf\xc3\xa9.jpg", "/photos/sub/Caf\xc3\xa9 \"2\".jpg"));
    ASSERT_TRUE(writer.Finish(error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadWholeFile(path),
              "REM AutoGeneratedBatch file from Norvik Rename\r\n"
              "rename \"/photos/IMG 0001.jpg\" \"Holiday 01.jpg\"\r\n"
              "rename \"/photos/caf\xc3\xa9.jpg\" \"Caf\xc3\xa9 \"2\".jpg\"\r\n"
              "Pause\r\n");
    EXPECT_FALSE(HasRunBits(path));
}

TEST(RenameScriptWindows, TargetWithoutFolderIsUsedWhole) {
    CTempFolder folder;
    const std::string path = folder / "undo.cmd";
    ASSERT_TRUE(WriteScript(path, {{"/a/new.txt", "old.txt"}}));
    EXPECT_EQ(ReadWholeFile(path), "REM AutoGeneratedBatch file from Norvik Rename\r\n"
                                   "rename \"/a/new.txt\" \"old.txt\"\r\n"
                                   "Pause\r\n");
}

TEST(RenameScriptShell, LayoutOfTheScript) {
    CTempFolder folder;
    const std::string path = folder / "rename.sh";
    ASSERT_TRUE(WriteScript(path, {{"/a/it's", "/b/new name"}}));
    const std::string text = ReadWholeFile(path);
    EXPECT_EQ(text.rfind("#!/bin/sh\n# AutoGeneratedBatch file from Norvik Rename\n", 0), 0u);
    EXPECT_NE(text.find("\nnr_move '/a/it'\\''s' '/b/new name'\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 18), "exit \"$nr_failed\"\n");
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_TRUE(HasRunBits(path));
}

TEST(RenameScriptShell, MovesEveryNastyNameWithItsContent) {
    CTempFolder folder;
    const std::string subName = "dir 'q' \"$x\" `y`";
    const std::string sub = folder.MakeFolder(subName) + "/";
    ASSERT_EQ(kNastySources.size(), kNastyTargets.size());
    std::vector<std::pair<std::string, std::string>> moves;
    for (std::size_t i = 0; i < kNastySources.size(); ++i) {
        folder.WriteFile(subName + "/" + kNastySources[i], "content " + std::to_string(i));
        moves.emplace_back(sub + kNastySources[i], sub + kNastyTargets[i]);
    }
    ASSERT_EQ(NamesIn(sub).size(), kNastySources.size());
    const std::string script = folder / "rename";
    ASSERT_TRUE(WriteScript(script, moves));

    const CRunResult result = RunScript(folder, script);
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.errors, "");
    const std::set<std::string> expected(kNastyTargets.begin(), kNastyTargets.end());
    EXPECT_EQ(NamesIn(sub), expected);
    for (std::size_t i = 0; i < kNastyTargets.size(); ++i) {
        EXPECT_EQ(ReadWholeFile(sub + kNastyTargets[i]), "content " + std::to_string(i)) << i;
    }
    // Nothing else appeared, so no name was expanded or run as a command.
    EXPECT_EQ(NamesIn(folder.Path()), (std::set<std::string>{subName, "rename"}));
}

TEST(RenameScriptShell, ExistingTargetIsNeverOverwritten) {
    CTempFolder folder;
    const std::string from = folder.WriteFile("-from 'a'", "source");
    const std::string taken = folder.WriteFile("taken \"b\"", "target");
    const std::string other = folder.WriteFile("other", "other");
    const std::string script = folder / "rename.sh";
    ASSERT_TRUE(WriteScript(script, {{from, taken}, {other, folder / "other moved"}}));

    const CRunResult result = RunScript(folder, script);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.errors.find("target exists"), std::string::npos) << result.errors;
    EXPECT_NE(result.errors.find(taken), std::string::npos) << result.errors;
    EXPECT_EQ(ReadWholeFile(from), "source");
    EXPECT_EQ(ReadWholeFile(taken), "target");
    // The failure does not stop the moves after it.
    EXPECT_FALSE(fs::exists(other));
    EXPECT_EQ(ReadWholeFile(folder / "other moved"), "other");
}

TEST(RenameScriptShell, FolderOrLinkAsTargetIsLeftAlone) {
    CTempFolder folder;
    const std::string file = folder.WriteFile("file", "data");
    const std::string target = folder.MakeFolder("existing folder");
    const std::string dangling = folder / "dangling";
    fs::create_symlink(folder / "nowhere", dangling);
    const std::string script = folder / "rename.sh";
    ASSERT_TRUE(WriteScript(script, {{file, target}, {file, dangling}}));

    const CRunResult result = RunScript(folder, script);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.errors.find(target), std::string::npos) << result.errors;
    EXPECT_NE(result.errors.find(dangling), std::string::npos) << result.errors;
    EXPECT_EQ(ReadWholeFile(file), "data");
    EXPECT_TRUE(fs::is_empty(target));
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_FALSE(fs::exists(folder / "nowhere"));
}

TEST(RenameScriptShell, MissingSourceIsReported) {
    CTempFolder folder;
    const std::string script = folder / "rename.sh";
    ASSERT_TRUE(WriteScript(script, {{folder / "gone", folder / "new"}}));

    const CRunResult result = RunScript(folder, script);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.errors.find(folder / "gone"), std::string::npos) << result.errors;
    EXPECT_FALSE(fs::exists(folder / "new"));
}

TEST(RenameScriptShell, MovesAFolderWithItsContents) {
    CTempFolder folder;
    folder.WriteFile("old folder/inner.txt", "inside");
    const std::string script = folder / "rename.sh";
    ASSERT_TRUE(WriteScript(script, {{folder / "old folder", folder / "-new folder"}}));

    const CRunResult result = RunScript(folder, script);
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_FALSE(fs::exists(folder / "old folder"));
    EXPECT_EQ(ReadWholeFile(folder / "-new folder/inner.txt"), "inside");
}

TEST(RenameScriptErrors, CreateInMissingFolderFails) {
    CTempFolder folder;
    CScriptWriter writer;
    int error = 0;
    EXPECT_FALSE(writer.Create(folder / "missing/rename.sh", error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(writer.Finish(error));
    EXPECT_NE(error, 0);
}

TEST(RenameScriptErrors, FullDiskIsNeverReportedAsSuccess) {
    const fs::perms before = fs::status("/dev/full").permissions();
    CScriptWriter writer;
    int error = 0;
    ASSERT_TRUE(writer.Create("/dev/full", error));
    EXPECT_EQ(writer.Form(), ScriptForm::Shell);
    EXPECT_TRUE(writer.Add("/a/old", "/a/new"));
    EXPECT_FALSE(writer.Flush());
    EXPECT_FALSE(writer.Add("/a/old2", "/a/new2"));
    EXPECT_FALSE(writer.Finish(error));
    EXPECT_EQ(error, ENOSPC);
    // The run bits are for scripts, never for a device.
    EXPECT_EQ(fs::status("/dev/full").permissions(), before);
}

TEST(RenameScriptErrors, FullDiskWithoutFlushFailsAtFinish) {
    CScriptWriter writer;
    int error = 0;
    ASSERT_TRUE(writer.Create("/dev/full", error));
    EXPECT_TRUE(writer.Add("/a/old", "/a/new"));
    EXPECT_FALSE(writer.Finish(error));
    EXPECT_EQ(error, ENOSPC);
}

} // namespace

// ---------------------------------------------------------------------------
// The undo journal of a batch run

namespace {

/// Moves every source to its target as a batch run would, journalling each
/// move first; a move that fails is taken back. Stops after stopAfter moves
/// without finishing the script, as a killed run would.
int JournalledMoves(CUndoJournal& journal,
                    const std::vector<std::pair<std::string, std::string>>& moves,
                    std::size_t stopAfter = SIZE_MAX) {
    int made = 0;
    for (std::size_t i = 0; i < moves.size() && i < stopAfter; ++i) {
        EXPECT_TRUE(journal.AddMove(moves[i].first, moves[i].second));
        std::error_code code;
        if (fs::exists(moves[i].second)) {
            EXPECT_TRUE(journal.CancelLastMove());
            continue;
        }
        fs::rename(moves[i].first, moves[i].second, code);
        if (code) {
            EXPECT_TRUE(journal.CancelLastMove());
        } else {
            int error = 0;
            EXPECT_TRUE(journal.Commit(error));
            ++made;
        }
    }
    return made;
}

} // namespace

TEST(RenameUndoJournal, UndoesNastyNamesTheLastMoveFirst) {
    CTempFolder folder;
    const std::string sub = folder.MakeFolder("d") + "/";
    std::vector<std::pair<std::string, std::string>> moves;
    for (std::size_t i = 0; i < kNastySources.size(); ++i) {
        folder.WriteFile("d/" + kNastySources[i], "content " + std::to_string(i));
        moves.emplace_back(sub + kNastySources[i], sub + kNastyTargets[i]);
    }
    // A chain: "it's" became "-e" above; now "-e" goes on to "chained", and a
    // move onto an existing name fails and is taken back.
    moves.emplace_back(sub + "-e", sub + "chained");
    moves.emplace_back(sub + "-n", sub + "--force");
    const std::string script = folder / "undo.sh";
    CUndoJournal journal;
    int error = 0;
    ASSERT_TRUE(journal.Create(script, error));
    EXPECT_EQ(JournalledMoves(journal, moves), static_cast<int>(kNastySources.size()) + 1);
    ASSERT_TRUE(journal.Finish(error));
    EXPECT_TRUE(HasRunBits(script));
    EXPECT_TRUE(NamesIn(sub).count("chained") == 1);

    const CRunResult result = RunScript(folder, script);
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(NamesIn(sub), std::set<std::string>(kNastySources.begin(), kNastySources.end()));
    for (std::size_t i = 0; i < kNastySources.size(); ++i) {
        EXPECT_EQ(ReadWholeFile(sub + kNastySources[i]), "content " + std::to_string(i)) << i;
    }
    EXPECT_EQ(NamesIn(folder.Path()), (std::set<std::string>{"d", "undo.sh"}));
}

TEST(RenameUndoJournal, ScriptCutShortUndoesWhatWasDone) {
    CTempFolder folder;
    std::vector<std::pair<std::string, std::string>> moves;
    for (int i = 0; i < 10; ++i) {
        const std::string name = "f" + std::to_string(i);
        folder.WriteFile(name, name);
        moves.emplace_back(folder / name, folder / ("g" + std::to_string(i)));
    }
    const std::string script = folder / "undo.sh";
    {
        CUndoJournal journal;
        int error = 0;
        ASSERT_TRUE(journal.Create(script, error));
        EXPECT_EQ(JournalledMoves(journal, moves, 4), 4);
        // Gone without Finish, as after a kill: what was written is on disk.
    }
    const CRunResult result = RunScript(folder, script);
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    for (int i = 0; i < 10; ++i) {
        const std::string name = "f" + std::to_string(i);
        EXPECT_EQ(ReadWholeFile(folder / name), name);
    }
}

TEST(RenameUndoJournal, MoveJournalledButNotMadeIsRefusedHarmlessly) {
    CTempFolder folder;
    folder.WriteFile("a", "a");
    folder.WriteFile("b", "b");
    const std::string script = folder / "undo.sh";
    {
        CUndoJournal journal;
        int error = 0;
        ASSERT_TRUE(journal.Create(script, error));
        EXPECT_EQ(JournalledMoves(journal, {{folder / "a", folder / "x"}}), 1);
        // Killed between writing the next line and making its move.
        ASSERT_TRUE(journal.AddMove(folder / "b", folder / "x"));
    }
    const CRunResult result = RunScript(folder, script);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.errors.find("the target exists"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(folder / "a"), "a");
    EXPECT_EQ(ReadWholeFile(folder / "b"), "b");
    EXPECT_FALSE(fs::exists(folder / "x"));
}

TEST(RenameUndoJournal, RunThatMovesNothingLeavesAnOlderScriptAlone) {
    CTempFolder folder;
    folder.WriteFile("a", "a");
    folder.WriteFile("taken", "taken");
    const std::string script = folder.WriteFile("undo.sh", "the script of an earlier run");
    {
        CUndoJournal journal;
        int error = 0;
        ASSERT_TRUE(journal.Create(script, error));
        EXPECT_EQ(JournalledMoves(journal, {{folder / "a", folder / "taken"}}), 0);
        journal.Discard();
    }
    EXPECT_EQ(ReadWholeFile(script), "the script of an earlier run");
    EXPECT_EQ(NamesIn(folder.Path()), (std::set<std::string>{"a", "taken", "undo.sh"}));
}

TEST(RenameUndoJournal, ReplacesTheFileThatStoodAtItsPathBefore) {
    CTempFolder folder;
    folder.WriteFile("a", "a");
    const std::string script = folder.WriteFile("undo.sh", "the script of an earlier run");
    CUndoJournal journal;
    int error = 0;
    ASSERT_TRUE(journal.Create(script, error));
    EXPECT_EQ(JournalledMoves(journal, {{folder / "a", folder / "b"}}), 1);
    ASSERT_TRUE(journal.Finish(error));
    EXPECT_EQ(NamesIn(folder.Path()), (std::set<std::string>{"b", "undo.sh"}));
    EXPECT_EQ(RunScript(folder, script).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(folder / "a"), "a");
}

TEST(RenameUndoJournal, NeverReplacesAFileTheRunMovedToItsPath) {
    for (const char* name : {"undo.sh", "undo.bat"}) {
        SCOPED_TRACE(name);
        CTempFolder folder;
        folder.WriteFile("a.txt", "the bytes of a.txt");
        const std::string script = folder / name;
        CUndoJournal journal;
        int error = 0;
        ASSERT_TRUE(journal.Create(script, error));
        // The first move made puts a file where the script was to go.
        ASSERT_TRUE(journal.AddMove(folder / "a.txt", script));
        fs::rename(folder / "a.txt", script);
        EXPECT_FALSE(journal.Commit(error));
        EXPECT_EQ(error, EEXIST);
        EXPECT_FALSE(journal.IsCommitted());
        // The script goes on under its temporary name and never takes the
        // path.
        ASSERT_TRUE(journal.AddMove(folder / "b.txt", folder / "c.txt"));
        EXPECT_FALSE(journal.Commit(error));
        EXPECT_FALSE(journal.Finish(error));
        EXPECT_EQ(error, EEXIST);
        journal.Discard();
        EXPECT_EQ(NamesIn(folder.Path()), std::set<std::string>{name});
        EXPECT_EQ(ReadWholeFile(script), "the bytes of a.txt");
    }
}

TEST(RenameUndoJournal, NeverReplacesAFileThatTookThePlaceOfTheOneBefore) {
    CTempFolder folder;
    folder.WriteFile("a", "a");
    const std::string script = folder.WriteFile("undo.sh", "the script of an earlier run");
    CUndoJournal journal;
    int error = 0;
    ASSERT_TRUE(journal.Create(script, error));
    // During the run the older script moves away and a file takes its name.
    fs::rename(script, folder / "older.sh");
    folder.WriteFile("undo.sh", "a file made during the run");
    ASSERT_TRUE(journal.AddMove(folder / "a", folder / "b"));
    fs::rename(folder / "a", folder / "b");
    EXPECT_FALSE(journal.Commit(error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_FALSE(journal.Finish(error));
    journal.Discard();
    EXPECT_EQ(NamesIn(folder.Path()), (std::set<std::string>{"b", "older.sh", "undo.sh"}));
    EXPECT_EQ(ReadWholeFile(script), "a file made during the run");
    EXPECT_EQ(ReadWholeFile(folder / "older.sh"), "the script of an earlier run");
}

TEST(RenameUndoJournal, WindowsFormIsWrittenInUndoOrder) {
    CTempFolder folder;
    const std::string script = folder / "undo.bat";
    CUndoJournal journal;
    int error = 0;
    ASSERT_TRUE(journal.Create(script, error));
    ASSERT_TRUE(journal.AddMove("/p/a", "/p/b"));
    ASSERT_TRUE(journal.AddMove("/p/c", "/p/d"));
    ASSERT_TRUE(journal.AddMove("/p/e", "/p/f"));
    ASSERT_TRUE(journal.CancelLastMove());
    EXPECT_FALSE(fs::exists(script));
    ASSERT_TRUE(journal.Finish(error));
    EXPECT_EQ(NamesIn(folder.Path()), std::set<std::string>{"undo.bat"});
    EXPECT_EQ(ReadWholeFile(script), "REM AutoGeneratedBatch file from Norvik Rename\r\n"
                                     "rename \"/p/d\" \"c\"\r\n"
                                     "rename \"/p/b\" \"a\"\r\n"
                                     "Pause\r\n");
}

TEST(RenameUndoJournal, FailedWritesAreReported) {
    // A folder that cannot take the file fails at once; a write that fails
    // later (a full disk) is kept and reported by Finish.
    {
        CUndoJournal journal;
        int error = 0;
        EXPECT_FALSE(journal.Create("/nonexistent-folder/undo.sh", error));
        EXPECT_EQ(error, ENOENT);
    }

    CTempFolder folder;
    const std::string script = folder / "undo.sh";
    CUndoJournal journal;
    int error = 0;
    ASSERT_TRUE(journal.Create(script, error));
    const std::string oldPath = "/p/" + std::string(200, 'a');
    const std::string newPath = "/p/" + std::string(200, 'b');
    int written = 0;
    {
        // The file may not grow past 4 KiB. The journal holds some room
        // taken before the limit (lines of about 420 bytes fit in it); the
        // failure comes when it needs more.
        CFileSizeLimit limit(4096);
        ASSERT_TRUE(limit.IsSet());
        while (written < 10000 && journal.AddMove(oldPath, newPath)) {
            ++written;
        }
        EXPECT_GT(written, 0);
        EXPECT_LT(written, 10000) << "no write failed past the limit";
        // Once a write has failed every later one fails too.
        EXPECT_FALSE(journal.AddMove(oldPath, newPath));
        EXPECT_FALSE(journal.CancelLastMove());
    }
    // The limit is gone: only a kept failure can make Finish fail now.
    EXPECT_TRUE(journal.Commit(error));
    EXPECT_EQ(error, 0);
    EXPECT_FALSE(journal.Finish(error));
    EXPECT_EQ(error, EFBIG);
    journal.Discard();
    EXPECT_EQ(NamesIn(folder.Path()), std::set<std::string>{});
}
