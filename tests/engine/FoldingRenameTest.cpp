// SPDX-License-Identifier: GPL-3.0-or-later
// Renames on a camera's card: exFAT and FAT32 mounted through FUSE, whose
// names fold case and which have neither the no-replace flag nor hard
// links. A change of case renames, the preview's collision marks compare
// names as the card does, swaps that change case too succeed, the undo in
// every form brings the old case back, and no file is ever replaced.
#include "engine/RenameConflicts.h"
#include "engine/RenameCore.h"
#include "support/FoldingMount.h"
#include "support/MoveHookGuard.h"
#include "support/RecordingFrontEnd.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using Disk = std::map<std::string, std::string>;
using Kind = CRenameConflicts::Kind;

class FoldingRenameTest : public testing::TestWithParam<CFoldingMount::Kind> {
protected:
    std::unique_ptr<CFoldingMount> mount;
    std::string root;
    /// The folder of the files: the card's root, or a folder on it.
    std::string folder;
    CTempFolder state;
    CRecordingFrontEnd frontEnd;
    std::unique_ptr<CRenameCore> core;

    void SetUp() override {
        mount = std::make_unique<CFoldingMount>(GetParam());
        if (!mount->IsMounted()) {
            GTEST_SKIP() << mount->SkipReason();
        }
        root = mount->Path();
        folder = root;
        core = MakeCore();
    }
    void TearDown() override {
        platform::SetMoveFaultHook(nullptr);
        core.reset();
        mount.reset();
    }

    std::unique_ptr<CRenameCore> MakeCore() {
        auto made = std::make_unique<CRenameCore>(&frontEnd);
        made->GetCatalogue().AddColumn("Bestand", ColumnKind::FileName, 200, ColumnAlignment::Left);
        made->GetOptions().renameOnlySelected = false;
        made->GetSwitches().askConfirmationBeforeRenaming = false;
        made->GetSwitches().uncheckAllAfterRenaming = false;
        return made;
    }
    /// Files of the card, each holding its own name.
    void Make(const Names& names) {
        for (const std::string& name : names) {
            std::ofstream(folder + name, std::ios::binary) << name;
        }
    }
    /// Lists the card; the rows (in name order) get the new names.
    void Open(const Names& newNames) {
        frontEnd.NameByEditorLines(core->GetOptions(), newNames);
        ASSERT_TRUE(core->GetCatalogue().SetFolder(folder, true));
        core->GetCatalogue().Refresh();
    }
    /// Name on the card (exactly as listed) -> content.
    Disk OnCard() const {
        Disk files;
        for (const auto& item : fs::directory_iterator(folder)) {
            if (IsFuseHiddenName(item.path().filename().string())) {
                continue;
            }
            std::ifstream in(item.path(), std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            files[item.path().filename().string()] = text.str();
        }
        return files;
    }
    std::vector<Kind> Marks() const {
        std::vector<Kind> kinds;
        for (int row = 0; row < core->GetCatalogue().GetRowCount(); ++row) {
            kinds.push_back(core->GetConflicts().GetKind(row));
        }
        return kinds;
    }
};

std::string KindName(const testing::TestParamInfo<CFoldingMount::Kind>& info) {
    return info.param == CFoldingMount::Kind::ExFat ? "ExFat" : "Fat32";
}

INSTANTIATE_TEST_SUITE_P(Cards, FoldingRenameTest,
                         testing::Values(CFoldingMount::Kind::ExFat, CFoldingMount::Kind::Fat32),
                         KindName);

} // namespace

TEST_P(FoldingRenameTest, LowerCasingACardRenamesEveryFileAndUndoBringsTheCaseBack) {
    Make({"IMG_0001.JPG", "IMG_0002.JPG", "Notes.TXT"});
    Open({"img_0001.jpg", "img_0002.jpg", "notes.txt"});
    EXPECT_EQ(core->GetConflicts().GetCount(), 0);

    EXPECT_EQ(core->RenameFiles(), 0);
    EXPECT_EQ(OnCard(), (Disk{{"img_0001.jpg", "IMG_0001.JPG"},
                              {"img_0002.jpg", "IMG_0002.JPG"},
                              {"notes.txt", "Notes.TXT"}}));
    EXPECT_EQ(core->GetUndoOldPaths().size(), 3u);

    EXPECT_EQ(core->UndoRename(), 0);
    EXPECT_EQ(OnCard(), (Disk{{"IMG_0001.JPG", "IMG_0001.JPG"},
                              {"IMG_0002.JPG", "IMG_0002.JPG"},
                              {"Notes.TXT", "Notes.TXT"}}));
}

TEST_P(FoldingRenameTest, TheKeptJournalUndoesAChangeOfCaseInTheNextRunAndAsAScript) {
    const std::string kept = state / "undo.sh";
    core->SetUndoStorePath(kept);
    Make({"IMG_0001.JPG", "Notes.TXT"});
    Open({"img_0001.jpg", "notes.txt"});
    ASSERT_EQ(core->RenameFiles(), 0);
    ASSERT_EQ(OnCard(), (Disk{{"img_0001.jpg", "IMG_0001.JPG"}, {"notes.txt", "Notes.TXT"}}));

    // The kept journal is a script that sh runs: it brings the old case back.
    const std::string copy = state / "copy.sh";
    fs::copy_file(kept, copy);
    const std::string errors = state / "errors";
    EXPECT_EQ(std::system(("sh '" + copy + "' 2>'" + errors + "'").c_str()), 0)
        << ReadWholeFile(errors);
    EXPECT_EQ(OnCard(), (Disk{{"IMG_0001.JPG", "IMG_0001.JPG"}, {"Notes.TXT", "Notes.TXT"}}));

    // Renamed again, the next run's window reads the journal back and
    // undoes it.
    Open({"img_0001.jpg", "notes.txt"});
    ASSERT_EQ(core->RenameFiles(), 0);
    core = MakeCore();
    core->SetUndoStorePath(kept);
    ASSERT_TRUE(core->LoadStoredUndo());
    EXPECT_EQ(core->UndoRename(), 0);
    EXPECT_EQ(OnCard(), (Disk{{"IMG_0001.JPG", "IMG_0001.JPG"}, {"Notes.TXT", "Notes.TXT"}}));
}

TEST_P(FoldingRenameTest, EveryMoveKeepsTheFilesModificationTime) {
    // A photo of 2001 stays a photo of 2001 through a new name, a change of
    // case and the undo, although the card has no no-replace flag and the
    // moves go onto reservations made a moment before.
    Make({"a.jpg", "B.jpg"});
    const struct timespec old[2] = {{981173106, 0}, {981173106, 0}};
    for (const char* name : {"a.jpg", "B.jpg"}) {
        ASSERT_EQ(utimensat(AT_FDCWD, (folder + name).c_str(), old, 0), 0);
    }
    const auto modified = [this](const std::string& name) {
        struct stat info {};
        return stat((folder + name).c_str(), &info) == 0 ? info.st_mtim.tv_sec : -1L;
    };
    Open({"x.jpg", "b.jpg"});
    ASSERT_EQ(core->RenameFiles(), 0);
    EXPECT_EQ(modified("x.jpg"), 981173106L);
    EXPECT_EQ(modified("b.jpg"), 981173106L);

    ASSERT_EQ(core->UndoRename(), 0);
    EXPECT_EQ(modified("a.jpg"), 981173106L);
    EXPECT_EQ(modified("B.jpg"), 981173106L);
}

TEST_P(FoldingRenameTest, CollisionMarksCompareNamesAsTheCardDoes) {
    Make({"a.txt", "b.txt", "c.txt", "Photo.jpg", "Up.txt"});
    // a and b want one name in two cases, c wants the name of Photo.jpg in
    // another case, Photo.jpg stays, Up.txt changes case only.
    Open({"x.JPG", "X.jpg", "photo.jpg", "Photo.jpg", "up.TXT"});
    EXPECT_EQ(Marks(), (std::vector<Kind>{Kind::None, Kind::SameNewName, Kind::ExistingFile,
                                          Kind::None, Kind::None}));
    EXPECT_EQ(core->GetConflicts().GetCount(), 2);

    // The rename does what the marks say, and replaces nothing.
    EXPECT_EQ(core->RenameFiles(), 2);
    EXPECT_EQ(OnCard(), (Disk{{"x.JPG", "a.txt"},
                              {"b.txt", "b.txt"},
                              {"c.txt", "c.txt"},
                              {"Photo.jpg", "Photo.jpg"},
                              {"up.TXT", "Up.txt"}}));
}

TEST_P(FoldingRenameTest, CollisionMarksFollowTheRowsSortedTheOtherWayOnTheCard) {
    Make({"A.txt", "b.txt", "c.txt", "Photo.JPG"});
    core->GetCatalogue().SetMask("*.txt");
    Open({"B.txt", "photo.jpg", "a.TXT"});
    const auto others = [&] {
        std::vector<std::string> paths;
        for (int row = 0; row < core->GetCatalogue().GetRowCount(); ++row) {
            paths.push_back(core->GetConflicts().GetOtherPath(core->GetCatalogue(),
                                                              core->GetPreviewTexts(), row));
        }
        return paths;
    };
    // A.txt -> B.txt finds b.txt, which moves later; b.txt -> photo.jpg
    // finds the hidden Photo.JPG; c.txt -> a.TXT finds A.txt, which stayed.
    EXPECT_EQ(Marks(), (std::vector<Kind>{Kind::ExistingFile, Kind::ExistingFile,
                                          Kind::ExistingFile}));
    EXPECT_EQ(others(),
              (Names{folder + "b.txt", folder + "photo.jpg", folder + "A.txt"}));

    // The other way round: c.txt -> B.txt, b.txt -> photo.jpg, and A.txt ->
    // a.TXT, a change of case only.
    core->GetCatalogue().SortBy(0, false);
    ASSERT_EQ(core->GetCatalogue().GetRowEntry(2).LongName(), "A.txt");
    EXPECT_EQ(Marks(), (std::vector<Kind>{Kind::ExistingFile, Kind::ExistingFile, Kind::None}));
    EXPECT_EQ(others(), (Names{folder + "b.txt", folder + "photo.jpg", ""}));
    CRenameConflicts fresh;
    fresh.Compute(core->GetCatalogue(), core->GetPreviewTexts(), false);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(fresh.GetKind(row), Marks()[static_cast<std::size_t>(row)]) << row;
    }
}

TEST_P(FoldingRenameTest, ASwapThatChangesCaseTooSucceedsWithSwapsAllowed) {
    Make({"a.jpg", "b.jpg"});
    Open({"B.jpg", "A.jpg"});
    // Without the setting each holds the other's name.
    EXPECT_EQ(Marks(), (std::vector<Kind>{Kind::ExistingFile, Kind::ExistingFile}));

    core->GetSwitches().allowSwapsAndChains = true;
    Open({"B.jpg", "A.jpg"});
    EXPECT_EQ(core->GetConflicts().GetCount(), 0);
    EXPECT_EQ(core->RenameFiles(), 0);
    EXPECT_EQ(OnCard(), (Disk{{"A.jpg", "b.jpg"}, {"B.jpg", "a.jpg"}}));

    EXPECT_EQ(core->UndoRename(), 0);
    EXPECT_EQ(OnCard(), (Disk{{"a.jpg", "a.jpg"}, {"b.jpg", "b.jpg"}}));
}

TEST_P(FoldingRenameTest, AFileThatAppearsAtTheTargetBeforeTheMoveIsNeverReplaced) {
    Make({"a.txt", "b.txt"});
    Open({"x.txt", "y.txt"});
    ASSERT_EQ(core->GetConflicts().GetCount(), 0);
    CMoveHookGuard guard([this](const std::string& from, const std::string&) {
        if (from == root + "b.txt") {
            std::ofstream(root + "Y.TXT", std::ios::binary) << "theirs";
        }
        return 0;
    });
    EXPECT_EQ(core->RenameFiles(), 1);
    ASSERT_EQ(core->GetFailures().size(), 1u);
    EXPECT_EQ(core->GetFailures()[0].code, EEXIST);
    EXPECT_EQ(OnCard(), (Disk{{"x.txt", "a.txt"}, {"b.txt", "b.txt"}, {"Y.TXT", "theirs"}}));
}

TEST_P(FoldingRenameTest, PredictsExactlyTheMovesThatFailAmongNamesOfEveryCase) {
    const Names pool = {"a.txt", "A.TXT", "b.txt", "B.txt", "c.TXT", "x.txt", "X.txt", "y.txt"};
    std::mt19937 random(20261210);
    int withCollisions = 0;
    for (int round = 0; round < 40; ++round) {
        // A folder of its own: the kernel keeps a name it has seen for a
        // second, and a name removed and made again at once may meet it.
        folder = root + "round" + std::to_string(round) + "/";
        fs::create_directory(folder);
        core->GetSwitches().allowSwapsAndChains = round % 2 == 1;
        Make({"a.txt", "b.txt", "c.txt"});
        Names newNames;
        for (int i = 0; i < 3; ++i) {
            newNames.push_back(pool[random() % pool.size()]);
        }
        Open(newNames);
        std::set<std::string> predicted;
        for (int row = 0; row < core->GetCatalogue().GetRowCount(); ++row) {
            if (core->GetConflicts().GetKind(row) != Kind::None) {
                predicted.insert(core->GetCatalogue().GetRowEntry(row).FullPath());
            }
        }
        core->RenameFiles();
        std::set<std::string> failed;
        for (const CRenameFailure& failure : core->GetFailures()) {
            failed.insert(failure.fromPath);
        }
        ASSERT_EQ(predicted, failed)
            << "round " << round << ": " << testing::PrintToString(newNames);
        // Nothing lost: three files, each with its own content.
        std::set<std::string> contents;
        for (const auto& [name, content] : OnCard()) {
            contents.insert(content);
        }
        ASSERT_EQ(contents, (std::set<std::string>{"a.txt", "b.txt", "c.txt"}))
            << "round " << round << ": " << testing::PrintToString(OnCard());
        withCollisions += predicted.empty() ? 0 : 1;
    }
    EXPECT_GT(withCollisions, 5);
}
