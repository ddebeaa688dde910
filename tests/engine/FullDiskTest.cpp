// SPDX-License-Identifier: GPL-3.0-or-later
// Scripts, listings and options files written to a file system that fills
// up: a small tmpfs mounted for the test or, where mounting is not allowed,
// a limit on the size of the files this process writes. A full disk is
// always reported as a failure, never as success.
#include "engine/IniFile.h"
#include "engine/RenameCore.h"
#include "engine/RenameScripts.h"
#include "resources/StringTable.h"
#include "support/FullDiskFixture.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class FullDiskTest : public CFullDiskFixture {};

TEST_F(FullDiskTest, RenameScriptAndListingReportTheFullDisk) {
    EXPECT_FALSE(core.WriteRenameScript(disk / "renbatch.bat"));
    ASSERT_FALSE(frontEnd.messages.empty());
    EXPECT_NE(frontEnd.messages.back().text.find(FormatSystemError(disk.FullError())),
              std::string::npos)
        << frontEnd.messages.back().text;
    frontEnd.messages.clear();
    fs::remove(disk / "renbatch.bat");
    EXPECT_FALSE(core.SavePreviewListing(disk / "preview.txt"));
    ASSERT_FALSE(frontEnd.messages.empty());
    EXPECT_NE(frontEnd.messages.back().text.find(FormatSystemError(disk.FullError())),
              std::string::npos);
}

TEST_F(FullDiskTest, OptionsFileOnAFullDiskKeepsTheOldFile) {
    // Fill the disk but for a little, then save a large options file.
    const std::string old = disk / "NROptions.ini";
    CIniFile small;
    small.WriteString("Filename", "InsertBeforeValue", "old");
    ASSERT_TRUE(small.Save(old));
    folder.WriteFile("filler", std::string(60 * 1024, 'f'));
    std::error_code code;
    fs::copy_file(folder / "filler", disk / "filler", code);
    CIniFile large;
    large.WriteString("Filename", "InsertBeforeValue", std::string(4000, 'v'));
    for (int i = 0; i < 20; ++i) {
        large.WriteString("Extra", "Key" + std::to_string(i), std::string(4000, 'v'));
    }
    int error = 0;
    EXPECT_FALSE(large.Save(old, error));
    EXPECT_EQ(error, disk.FullError());
    CIniFile back;
    ASSERT_TRUE(back.Load(old));
    bool found = false;
    EXPECT_EQ(back.GetString("Filename", "InsertBeforeValue", found), "old");
}

TEST_F(FullDiskTest, UndoJournalOnAFullDiskFailsAtTheEnd) {
    CUndoJournal journal;
    int error = 0;
    ASSERT_TRUE(journal.Create(disk / "undo.sh", error));
    bool allWritten = true;
    for (int i = 0; i < 1000; ++i) {
        allWritten =
            journal.AddMove("/p/" + std::string(200, 'a'), "/p/" + std::string(200, 'b')) &&
            allWritten;
    }
    EXPECT_FALSE(allWritten);
    EXPECT_TRUE(journal.Commit(error));
    EXPECT_FALSE(journal.Finish(error));
    EXPECT_EQ(error, disk.FullError());
}

} // namespace
