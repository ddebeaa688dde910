// SPDX-License-Identifier: GPL-3.0-or-later
// The collision marks follow the rows when they change order, whether the
// check is told the new order or looks the rows up anew, and the names of
// files no row lists are read with each refresh.
#include "catalogue/FileEntry.h"
#include "engine/RenameConflicts.h"
#include "engine/RenameCore.h"
#include "support/RecordingFrontEnd.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;
using Kind = CRenameConflicts::Kind;

struct CMark {
    Kind kind = Kind::None;
    std::string other;
    bool operator==(const CMark&) const = default;
};

void PrintTo(const CMark& mark, std::ostream* out) {
    *out << static_cast<int>(mark.kind) << ":" << mark.other;
}

class RenameConflictsOrderTest : public ::testing::Test {
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
    void Make(const Names& names) {
        for (const std::string& name : names) {
            folder.WriteFile(name, name);
        }
    }
    /// Lists the folder; the rows (sorted by name) get the new names.
    void Open(const Names& newNames) {
        frontEnd.NameByEditorLines(core.GetOptions(), newNames);
        ASSERT_TRUE(core.GetCatalogue().SetFolder(folder.Path(), true));
        core.GetCatalogue().Refresh();
    }
    std::vector<CMark> Marks(const CRenameConflicts& check) const {
        std::vector<CMark> marks;
        for (int row = 0; row < core.GetCatalogue().GetRowCount(); ++row) {
            marks.push_back({check.GetKind(row),
                             check.GetOtherPath(core.GetCatalogue(), core.GetPreviewTexts(), row)});
        }
        return marks;
    }
    /// The marks of a check that never saw the rows before.
    std::vector<CMark> Fresh(bool movesMayChain) const {
        CRenameConflicts check;
        check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), movesMayChain);
        return Marks(check);
    }
    /// Per row: the row its entry had before.
    std::vector<int32_t> PreviousRows(const std::map<const CFileEntry*, int32_t>& before) const {
        std::vector<int32_t> previous;
        for (int row = 0; row < core.GetCatalogue().GetRowCount(); ++row) {
            previous.push_back(before.at(&core.GetCatalogue().GetRowEntry(row)));
        }
        return previous;
    }
    std::map<const CFileEntry*, int32_t> EntryRows() const {
        std::map<const CFileEntry*, int32_t> rows;
        for (int row = 0; row < core.GetCatalogue().GetRowCount(); ++row) {
            rows[&core.GetCatalogue().GetRowEntry(row)] = row;
        }
        return rows;
    }
    std::string Path(const std::string& name) const { return folder.Path() + name; }
};

TEST_F(RenameConflictsOrderTest, TheMarksFollowTheRowsWhenTheyAreSortedTheOtherWay) {
    Make({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "g.doc"});
    // By name: a -> b (b moves on to c, but c stays), b -> c, c stays,
    // d -> g.doc (hidden by the mask), e -> a.
    Open({"b.txt", "c.txt", "<", "g.doc", "a.txt"});
    const std::vector<CMark> byName = Marks(core.GetConflicts());
    EXPECT_EQ(byName, (std::vector<CMark>{{Kind::ExistingFile, Path("b.txt")},
                                          {Kind::ExistingFile, Path("c.txt")},
                                          {Kind::None, ""},
                                          {Kind::ExistingFile, Path("g.doc")},
                                          {Kind::ExistingFile, Path("a.txt")}}));

    // The other way round the same lines go to e, d, c, b, a: e -> b,
    // d -> c, c stays, b -> g.doc, a -> a.txt (its own name: no move).
    core.GetCatalogue().SortBy(0, false);
    ASSERT_EQ(core.GetCatalogue().GetRowEntry(0).LongName(), "e.txt");
    EXPECT_EQ(Marks(core.GetConflicts()),
              (std::vector<CMark>{{Kind::ExistingFile, Path("b.txt")},
                                  {Kind::ExistingFile, Path("c.txt")},
                                  {Kind::None, ""},
                                  {Kind::ExistingFile, Path("g.doc")},
                                  {Kind::None, ""}}));
    EXPECT_EQ(Marks(core.GetConflicts()), Fresh(false));

    // Back by name: what a check that never saw the rows finds.
    core.GetCatalogue().SortBy(0, true);
    EXPECT_EQ(Marks(core.GetConflicts()), byName);
}

TEST_F(RenameConflictsOrderTest, ACheckToldTheNewOrderMarksAsACheckThatLooksTheRowsUpAnew) {
    Make({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt", "x.doc"});
    // A chain that succeeds only in one order, a name another row frees,
    // two rows that want one name, and a hidden file in the way.
    Open({"b.txt", "c.txt", "d.txt", "n.txt", "n.txt", "x.doc"});
    for (const bool movesMayChain : {false, true}) {
        core.GetCatalogue().SortBy(0, true);
        CRenameConflicts check;
        check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), movesMayChain);
        ASSERT_EQ(Marks(check), Fresh(movesMayChain));
        const std::map<const CFileEntry*, int32_t> before = EntryRows();

        core.GetCatalogue().SortBy(0, false);
        check.RowsReordered(PreviousRows(before));
        check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), movesMayChain);
        EXPECT_EQ(Marks(check), Fresh(movesMayChain)) << movesMayChain;
        EXPECT_NE(check.GetCount(), 0);

        // An order that is no reordering of the rows learnt: looked up anew.
        check.RowsReordered({0, 0, 1});
        check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), movesMayChain);
        EXPECT_EQ(Marks(check), Fresh(movesMayChain));
        check.RowsReordered({});
        check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), movesMayChain);
        EXPECT_EQ(Marks(check), Fresh(movesMayChain));
        // Told nothing, it looks them up anew as well.
        core.GetCatalogue().SortBy(0, true);
        check.ForgetRows();
        check.Compute(core.GetCatalogue(), core.GetPreviewTexts(), movesMayChain);
        EXPECT_EQ(Marks(check), Fresh(movesMayChain));
    }
}

TEST_F(RenameConflictsOrderTest, NothingMovingMarksNothingAndTheNextMovesAreCheckedAgain) {
    Make({"a.txt", "b.txt", "c.txt"});
    // Every row keeps its name.
    Open({"a.txt", "b.txt", "c.txt"});
    EXPECT_EQ(core.GetConflicts().GetCount(), 0);
    EXPECT_EQ(core.GetConflicts().GetKind(0), Kind::None);
    EXPECT_EQ(core.GetConflicts().GetOtherPath(core.GetCatalogue(), core.GetPreviewTexts(), 0), "");
    frontEnd.NameByEditorLines(core.GetOptions(), {"n.txt", "n.txt", "a.txt"});
    core.ComputeNewNames(true);
    EXPECT_EQ(Marks(core.GetConflicts()),
              (std::vector<CMark>{{Kind::None, ""},
                                  {Kind::SameNewName, Path("a.txt")},
                                  {Kind::None, ""}}));
    frontEnd.NameByEditorLines(core.GetOptions(), {"a.txt", "b.txt", "c.txt"});
    core.ComputeNewNames(true);
    EXPECT_EQ(core.GetConflicts().GetCount(), 0);
    EXPECT_EQ(core.GetConflicts().GetKind(1), Kind::None);
}

TEST_F(RenameConflictsOrderTest, HiddenNamesAreReadAnewWithEachRefresh) {
    Make({"a.txt", "b.txt", "x.doc"});
    Open({"x.doc", "z.doc"});
    EXPECT_EQ(Marks(core.GetConflicts()),
              (std::vector<CMark>{{Kind::ExistingFile, Path("x.doc")}, {Kind::None, ""}}));

    // x.doc moves away and z.doc comes in: the names are kept until the
    // folder is listed again.
    std::filesystem::rename(Path("x.doc"), Path("z.doc"));
    core.ComputeNewNames(true);
    EXPECT_EQ(core.GetConflicts().GetKind(0), Kind::ExistingFile);
    EXPECT_EQ(core.GetConflicts().GetKind(1), Kind::None);
    core.GetCatalogue().Refresh();
    EXPECT_EQ(Marks(core.GetConflicts()),
              (std::vector<CMark>{{Kind::None, ""}, {Kind::ExistingFile, Path("z.doc")}}));
}

TEST_F(RenameConflictsOrderTest, ManyRowsThatWantOneNameAllCollideWithTheFirst) {
    Names names;
    Names newNames;
    for (int i = 0; i < 2000; ++i) {
        names.push_back("f" + std::to_string(10000 + i) + ".txt");
        newNames.push_back(i % 2 == 0 ? "same.txt" : "f" + std::to_string(10000 + i) + ".txt");
    }
    Make(names);
    Open(newNames);
    // The odd rows keep their names; every even row but the first collides
    // with the first.
    EXPECT_EQ(core.GetConflicts().GetCount(), 999);
    EXPECT_EQ(core.GetConflicts().GetKind(0), Kind::None);
    for (int row = 2; row < 2000; row += 2) {
        ASSERT_EQ(core.GetConflicts().GetKind(row), Kind::SameNewName) << row;
        ASSERT_EQ(
            core.GetConflicts().GetOtherPath(core.GetCatalogue(), core.GetPreviewTexts(), row),
            Path("f10000.txt"));
    }
    EXPECT_EQ(core.GetConflicts().GetKind(1), Kind::None);
    EXPECT_EQ(Marks(core.GetConflicts()), Fresh(false));
}

} // namespace
