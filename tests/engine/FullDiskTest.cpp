// Scripts, listings and options files written to a file system that fills
// up: a small tmpfs mounted for the test or, where mounting is not allowed,
// a limit on the size of the files this process writes. A full disk is
// always reported as a failure, never as success.
#include "engine/IniFile.h"
#include "engine/RenameCore.h"
#include "engine/RenameScripts.h"
#include "resources/StringTable.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

/// How much the small disk holds.
constexpr rlim_t kDiskBytes = 64 * 1024;

/// A disk of kDiskBytes on a fresh folder: a tmpfs mounted there (unmounted
/// at the end) where this process may mount one, else a plain folder and a
/// file size limit of kDiskBytes that stands in for the full disk from Fill
/// to Empty. The limit holds for every file the process writes, wherever it
/// is, so a test makes its own files before Fill. NR_TEST_NO_MOUNT=1 in the
/// environment takes the limit even where the mount would work, so that both
/// ways can be tried on one machine.
class CSmallDisk {
public:
    CSmallDisk() {
        const char* noMount = std::getenv("NR_TEST_NO_MOUNT");
        if (noMount == nullptr || std::string(noMount) != "1") {
            const std::string command = "mount -t tmpfs -o size=" + std::to_string(kDiskBytes) +
                                        " nrtest " + folder.Path() + " 2>/dev/null";
            mounted = std::system(command.c_str()) == 0;
        }
    }
    ~CSmallDisk() {
        Empty();
        if (mounted) {
            const std::string command = "umount " + folder.Path();
            (void)std::system(command.c_str());
        }
    }
    CSmallDisk(const CSmallDisk&) = delete;
    CSmallDisk& operator=(const CSmallDisk&) = delete;

    bool Mounted() const { return mounted; }
    /// The errno value of a write that does not fit: ENOSPC on the tmpfs,
    /// EFBIG past the file size limit.
    int FullError() const { return mounted ? ENOSPC : EFBIG; }
    /// Without the mount, sets the file size limit; false when it cannot.
    bool Fill() {
        if (mounted) {
            return true;
        }
        limit.emplace(kDiskBytes);
        return limit->IsSet();
    }
    /// Lifts the file size limit (files elsewhere have room again).
    void Empty() { limit.reset(); }
    std::string operator/(const std::string& name) const { return folder / name; }

private:
    CTempFolder folder;
    bool mounted = false;
    std::optional<CFileSizeLimit> limit;
};

class CConsoleFrontEnd : public CRenameFrontEnd {
public:
    std::vector<std::string> lines;
    std::vector<std::string> messages;
    std::string tempFile;

    int ShowMessage(MessageKind /*kind*/, const std::string& text, int /*style*/) override {
        messages.push_back(text);
        return msgbox::kYes;
    }
    void WriteConsoleLine(const std::string& text) override { lines.push_back(text); }
    std::string MakeTempFileName() override {
        if (onMakeTempFileName) {
            onMakeTempFileName();
        }
        return tempFile;
    }
    std::function<void()> onMakeTempFileName;
};

class FullDiskTest : public ::testing::Test {
protected:
    CSmallDisk disk;
    CTempFolder folder;
    CConsoleFrontEnd frontEnd;
    CRenameCore core{&frontEnd};

    void SetUp() override {
        // Enough long names that any script of them is larger than the disk.
        for (int i = 0; i < 400; ++i) {
            folder.WriteFile(std::to_string(1000 + i) + std::string(200, 'n') + ".txt",
                             std::to_string(i));
        }
        core.GetCatalogue().AddColumn("Bestand", ColumnKind::FileName, 200, ColumnAlignment::Left);
        core.GetOptions().renameOnlySelected = false;
        core.GetOptions().name.insertBeforeOn = true;
        core.GetOptions().name.insertBeforeText = "x";
        ASSERT_TRUE(core.GetCatalogue().SetFolder(folder.Path(), true));
        core.GetCatalogue().Refresh();
        ASSERT_TRUE(disk.Fill()) << "neither a tmpfs nor a file size limit could be set";
    }
    void TearDown() override { disk.Empty(); }
};

TEST_F(FullDiskTest, RenameScriptAndListingReportTheFullDisk) {
    EXPECT_FALSE(core.WriteRenameScript(disk / "renbatch.bat"));
    ASSERT_FALSE(frontEnd.messages.empty());
    EXPECT_NE(frontEnd.messages.back().find(FormatSystemError(disk.FullError())), std::string::npos)
        << frontEnd.messages.back();
    frontEnd.messages.clear();
    fs::remove(disk / "renbatch.bat");
    EXPECT_FALSE(core.SavePreviewListing(disk / "preview.txt"));
    ASSERT_FALSE(frontEnd.messages.empty());
    EXPECT_NE(frontEnd.messages.back().find(FormatSystemError(disk.FullError())),
              std::string::npos);
}

TEST_F(FullDiskTest, BatchRunStopsBeforeAMoveItsUndoScriptCannotRecord) {
    core.SetBatchMode(true);
    core.ComputeNewNames(true);
    frontEnd.tempFile = folder / "NRtemp";
    // The temporary file lies off the small disk, where there is room: the
    // file size limit that stands in for the full disk ends there.
    frontEnd.onMakeTempFileName = [this] { disk.Empty(); };
    const std::string undo = disk / "undo.sh";
    EXPECT_EQ(core.RunBatch(folder.Path(), undo, "0"), 1);

    // The script took some moves, then no more: the run stopped there.
    const std::size_t moved = core.GetUndoOldPaths().size();
    ASSERT_GT(moved, 0u);
    ASSERT_LT(moved, 400u);
    EXPECT_TRUE(core.GetFailures().empty());
    for (int i = 0; i < 400; ++i) {
        const std::string name = std::to_string(1000 + i) + std::string(200, 'n') + ".txt";
        const bool isMoved = static_cast<std::size_t>(i) < moved;
        EXPECT_EQ(fs::exists(folder / name), !isMoved) << i;
        EXPECT_EQ(fs::exists(folder / ("x" + name)), isMoved) << i;
    }
    ASSERT_EQ(frontEnd.lines.size(), 1 + moved + 4);
    for (std::size_t k = 1; k <= moved; ++k) {
        EXPECT_EQ(frontEnd.lines[k].rfind("OK: [", 0), 0u) << frontEnd.lines[k];
    }
    EXPECT_EQ(frontEnd.lines[1 + moved], FillText(LookupString(strings::kUndoScriptCannotRecord),
                                                  {undo, FormatSystemError(disk.FullError())}));
    EXPECT_EQ(frontEnd.lines[2 + moved], "");
    EXPECT_EQ(frontEnd.lines[3 + moved],
              "Het batch herstelbestand {" + undo + "] KAN NIET WORDEN GEMAAKT");
    EXPECT_EQ(frontEnd.lines[4 + moved].rfind(
                  "Het TEMP bacht herstelbestand [" + frontEnd.tempFile + "]", 0),
              0u)
        << frontEnd.lines[4 + moved];
    EXPECT_FALSE(fs::exists(undo));

    // The fallback script is complete: it moves every moved file back.
    const std::string command = "/bin/sh '" + frontEnd.tempFile + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    for (int i = 0; i < 400; ++i) {
        const std::string name = std::to_string(1000 + i) + std::string(200, 'n') + ".txt";
        EXPECT_EQ(ReadWholeFile(folder / name), std::to_string(i)) << i;
    }
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
