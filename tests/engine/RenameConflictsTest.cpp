// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of a preview whose move would fail are known before anything
// moves: the prediction is checked against what the rename then really does.
#include "engine/RenameConflicts.h"
#include "engine/RenameCore.h"
#include "resources/StringTable.h"
#include "support/RecordingFrontEnd.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RenameConflictsTest : public ::testing::Test {
protected:
    CTempFolder folder;
    CRecordingFrontEnd frontEnd;
    CRenameCore core{&frontEnd};

    void SetUp() override {
        core.GetCatalogue().AddColumn("Bestand", ColumnKind::FileName, 200, ColumnAlignment::Left);
        core.GetCatalogue().SetMask("*.txt");
        core.GetOptions().renameOnlySelected = false;
        core.GetSwitches().askConfirmationBeforeRenaming = false;
        core.GetSwitches().uncheckAllAfterRenaming = false;
    }
    std::string sub; ///< the folder of the files, below folder

    void Make(const Names& names) {
        for (const std::string& name : names) {
            folder.WriteFile(sub + name, name);
        }
    }
    /// Lists the folder; the rows (sorted by name) get the new names.
    void Open(const Names& newNames) {
        frontEnd.NameByEditorLines(core.GetOptions(), newNames);
        ASSERT_TRUE(core.GetCatalogue().SetFolder(folder.Path() + sub, true));
        core.GetCatalogue().Refresh();
    }
    std::set<std::string> Predicted() const {
        std::set<std::string> paths;
        for (int row = 0; row < core.GetCatalogue().GetRowCount(); ++row) {
            if (core.GetConflicts().GetKind(row) != CRenameConflicts::Kind::None) {
                paths.insert(core.GetCatalogue().GetRowEntry(row).FullPath());
            }
        }
        return paths;
    }
    void PredictTheMovesThatFail(bool swapsAndChains);
    std::string Other(int row) const {
        return core.GetConflicts().GetOtherPath(core.GetCatalogue(), core.GetPreviewTexts(), row);
    }
};

void RenameConflictsTest::PredictTheMovesThatFail(bool swapsAndChains) {
    core.GetSwitches().allowSwapsAndChains = swapsAndChains;
    // Listed files a.txt ... e.txt, and g.doc that the mask hides; every
    // file gets a random name of these, or of free names, duplicates allowed.
    const Names pool = {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "g.doc", "f.txt",
                        "h.txt", "i.txt", "j.txt", "k.txt", "l.txt", "m.txt", "n.txt"};
    std::mt19937 random(20261209);
    int withCollisions = 0;
    int without = 0;
    for (int round = 0; round < 300; ++round) {
        sub = (swapsAndChains ? "chained" : "round") + std::to_string(round) + "/";
        Make({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "g.doc"});
        Names newNames;
        for (int i = 0; i < 5; ++i) {
            newNames.push_back(pool[random() % pool.size()]);
        }
        Open(newNames);
        const std::set<std::string> predicted = Predicted();
        ASSERT_EQ(static_cast<int>(predicted.size()), core.GetConflicts().GetCount());

        core.RenameFiles();
        std::set<std::string> failed;
        for (const CRenameFailure& failure : core.GetFailures()) {
            failed.insert(failure.fromPath);
        }
        ASSERT_EQ(predicted, failed) << "round " << round << ": " << ::testing::PrintToString(newNames);
        (predicted.empty() ? without : withCollisions)++;
    }
    // Both kinds of preview were met.
    EXPECT_GT(withCollisions, 50);
    EXPECT_GT(without, 20);
}

TEST_F(RenameConflictsTest, PredictsExactlyTheMovesThatFail) {
    PredictTheMovesThatFail(false);
}

TEST_F(RenameConflictsTest, PredictsExactlyTheMovesThatFailWhenSwapsAndChainsAreAllowed) {
    PredictTheMovesThatFail(true);
}

TEST_F(RenameConflictsTest, RowsSayWhatTheyCollideWithAndTheHeaderCountsThem) {
    Make({"a.txt", "b.txt", "c.txt", "d.txt", "x.doc"});
    // a and b both want n.txt; c wants x.doc, which the mask hides; d wants
    // a.txt, which a frees before d moves.
    Open({"n.txt", "n.txt", "x.doc", "a.txt"});
    EXPECT_EQ(core.GetConflicts().GetCount(), 2);
    EXPECT_EQ(core.GetConflicts().GetKind(0), CRenameConflicts::Kind::None);
    EXPECT_EQ(core.GetConflicts().GetKind(1), CRenameConflicts::Kind::SameNewName);
    EXPECT_EQ(Other(1), folder.Path() + "a.txt");
    EXPECT_EQ(core.GetConflicts().GetKind(2), CRenameConflicts::Kind::ExistingFile);
    EXPECT_EQ(Other(2), folder.Path() + "x.doc");
    EXPECT_EQ(core.GetConflicts().GetKind(3), CRenameConflicts::Kind::None);
    EXPECT_NE(core.GetPreviewHeader().find("[ 2 botsingen ]"), std::string::npos)
        << core.GetPreviewHeader();

    // A file that keeps its place holds its name: b.txt stays.
    Open({"b.txt", "<", "c.txt", "q.txt"});
    EXPECT_EQ(core.GetConflicts().GetKind(0), CRenameConflicts::Kind::ExistingFile);
    EXPECT_EQ(Other(0), folder.Path() + "b.txt");
    EXPECT_NE(core.GetPreviewHeader().find("[ 1 botsing ]"), std::string::npos);
}

TEST_F(RenameConflictsTest, TheRenameQuestionSaysHowManyFilesWillNotBeRenamed) {
    core.GetSwitches().askConfirmationBeforeRenaming = true;
    Make({"a.txt", "b.txt", "c.txt"});
    Open({"n.txt", "n.txt", "n.txt"});
    core.RenameFiles();
    ASSERT_EQ(frontEnd.Questions().size(), 1u);
    EXPECT_NE(frontEnd.Questions()[0].find("2 bestanden worden niet hernoemd"), std::string::npos)
        << frontEnd.Questions()[0];
    EXPECT_EQ(core.GetFailures().size(), 2u);

    // Nothing collides: the question is the plain one.
    Open({"p.txt", "q.txt", "r.txt"});
    core.RenameFiles();
    ASSERT_EQ(frontEnd.Questions().size(), 2u);
    EXPECT_EQ(frontEnd.Questions()[1].find("niet hernoemd"), std::string::npos);
}

TEST_F(RenameConflictsTest, SwapsAndChainsCollideUnlessTheRenameMayChainItsMoves) {
    Make({"a.txt", "b.txt", "c.txt"});
    // a -> b and b -> a; c -> a (a real collision in any order).
    Open({"b.txt", "a.txt", "a.txt"});
    CRenameConflicts check;
    check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), false);
    EXPECT_EQ(check.GetCount(), 3);
    check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), true);
    EXPECT_EQ(check.GetKind(0), CRenameConflicts::Kind::None);
    EXPECT_EQ(check.GetKind(1), CRenameConflicts::Kind::None);
    EXPECT_EQ(check.GetKind(2), CRenameConflicts::Kind::SameNewName);
    EXPECT_EQ(check.GetCount(), 1);
}

TEST_F(RenameConflictsTest, ABatchRunAndAPlaceholderPreviewMarkNothing) {
    Make({"a.txt", "b.txt"});
    core.SetBatchMode(true);
    Open({"n.txt", "n.txt"});
    EXPECT_EQ(core.GetConflicts().GetCount(), 0);
    EXPECT_EQ(core.GetPreviewHeader().find("botsing"), std::string::npos);

    core.SetBatchMode(false);
    core.ComputeNewNames(true);
    EXPECT_EQ(core.GetConflicts().GetCount(), 1);
    core.TogglePreview(); // the automatic preview off: a placeholder row
    core.ComputeNewNames(false);
    EXPECT_EQ(core.GetConflicts().GetCount(), 0);
    EXPECT_EQ(core.GetConflicts().GetKind(1), CRenameConflicts::Kind::None);
}

} // namespace

TEST_F(RenameConflictsTest, MovesInAFolderThatCannotBeReadAreMarkedAsNotChecked) {
    sub = "gone/";
    Make({"a.txt", "b.txt", "c.txt"});
    Open({"n.txt", "n.txt", "p.txt"});
    // The folder goes after the listing: what stands in it now is unknown.
    std::filesystem::remove_all(folder.Path() + sub);
    CRenameConflicts check;
    check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), false);
    EXPECT_EQ(check.GetKind(0), CRenameConflicts::Kind::Unchecked);
    EXPECT_EQ(check.GetOtherPath(core.GetCatalogue(), core.GetPreviewTexts(), 0),
              folder.Path() + sub);
    // Two rows that want one name collide wherever they are.
    EXPECT_EQ(check.GetKind(1), CRenameConflicts::Kind::SameNewName);
    EXPECT_EQ(check.GetKind(2), CRenameConflicts::Kind::Unchecked);
    EXPECT_EQ(check.GetCount(), 1);
    EXPECT_EQ(check.GetUncheckedCount(), 2);

    // Readable again, the folder is read anew once told so.
    Make({"a.txt", "b.txt", "c.txt"});
    check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), false);
    EXPECT_EQ(check.GetUncheckedCount(), 2);
    check.Forget();
    check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), false);
    EXPECT_EQ(check.GetUncheckedCount(), 0);
    EXPECT_EQ(check.GetKind(0), CRenameConflicts::Kind::None);
    EXPECT_EQ(check.GetCount(), 1);
    check.Clear();
    EXPECT_EQ(check.GetUncheckedCount(), 0);
}

TEST_F(RenameConflictsTest, AFileInTheWayOfAnUncheckedMoveIsNeverReplaced) {
    sub = "moved/";
    Make({"a.txt", "b.txt"});
    Open({"x.txt", "y.txt"});
    std::filesystem::rename(folder.Path() + "moved", folder.Path() + "elsewhere");
    CRenameConflicts check;
    check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), false);
    EXPECT_EQ(check.GetUncheckedCount(), 2);
    // The folder comes back with a file in the way of the first move.
    std::filesystem::rename(folder.Path() + "elsewhere", folder.Path() + "moved");
    folder.WriteFile(sub + "x.txt", "in the way");
    core.RenameFiles();
    ASSERT_EQ(core.GetFailures().size(), 1u);
    EXPECT_EQ(core.GetFailures()[0].fromPath, folder.Path() + sub + "a.txt");
    EXPECT_EQ(ReadAll(folder / (sub + "x.txt")), "in the way");
    EXPECT_EQ(ReadAll(folder / (sub + "y.txt")), "b.txt");
}

// A front end that takes a folder away once, just before the preview is
// computed, so that the collision check finds it gone.
class CFolderTakingFrontEnd : public CRecordingFrontEnd {
public:
    std::string from;
    std::string to;
    void OnPreviewAboutToChange() override {
        if (!from.empty()) {
            std::filesystem::rename(from, to);
            from.clear();
        }
    }
};

TEST(RenameConflictsHeader, TheHeaderCountsTheMovesThatCouldNotBeChecked) {
    CTempFolder folder;
    for (const char* name : {"gone/a.txt", "gone/b.txt", "gone/c.txt"}) {
        folder.WriteFile(name, name);
    }
    CFolderTakingFrontEnd frontEnd;
    CRenameCore core{&frontEnd};
    core.GetCatalogue().AddColumn("Bestand", ColumnKind::FileName, 200, ColumnAlignment::Left);
    core.GetOptions().renameOnlySelected = false;
    core.GetSwitches().askConfirmationBeforeRenaming = false;
    core.GetSwitches().uncheckAllAfterRenaming = false;
    frontEnd.NameByEditorLines(core.GetOptions(), {"n.txt", "n.txt", "p.txt"});
    ASSERT_TRUE(core.GetCatalogue().SetFolder(folder / "gone/", true));
    core.GetCatalogue().Refresh();
    EXPECT_EQ(core.GetConflicts().GetUncheckedCount(), 0);
    EXPECT_EQ(core.GetPreviewHeader().find("niet te controleren"), std::string::npos);

    frontEnd.from = folder / "gone";
    frontEnd.to = folder / "away";
    core.GetCatalogue().Refresh();
    ASSERT_EQ(core.GetCatalogue().GetRowCount(), 3);
    EXPECT_EQ(core.GetConflicts().GetKind(0), CRenameConflicts::Kind::Unchecked);
    EXPECT_EQ(core.GetConflicts().GetKind(1), CRenameConflicts::Kind::SameNewName);
    EXPECT_EQ(core.GetConflicts().GetKind(2), CRenameConflicts::Kind::Unchecked);
    EXPECT_NE(core.GetPreviewHeader().find(" - [ 1 botsing ] - [ 2 niet te controleren ]"),
              std::string::npos)
        << core.GetPreviewHeader();
    EXPECT_EQ(std::string(LookupString(strings::kCannotCheckRow)),
              "Niet te controleren: de map [%s] kan niet worden gelezen");

    // Back in place, the rename moves what it can and replaces nothing.
    std::filesystem::rename(folder / "away", folder / "gone");
    core.RenameFiles();
    ASSERT_EQ(core.GetFailures().size(), 1u);
    EXPECT_EQ(core.GetFailures()[0].fromPath, folder / "gone/b.txt");
    EXPECT_EQ(ReadAll(folder / "gone/n.txt"), "gone/a.txt");
    EXPECT_EQ(ReadAll(folder / "gone/p.txt"), "gone/c.txt");
}
