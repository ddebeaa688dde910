// SPDX-License-Identifier: GPL-3.0-or-later
// A computation a few rows at a time gives every row, collision mark and
// header the computation at once gives, and a rename started half way
// renames what a rename after the computation at once renames.
#include "catalogue/DefaultColumns.h"
#include "engine/RenameCore.h"
#include "support/RecordingFrontEnd.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Ranges = std::vector<std::pair<int, int>>;

/// Three folders of files whose names trip the rules: trailing dots, a
/// leading "<", accents, numbers, names that differ in case, folders.
void FillFolder(const CTempFolder& folder) {
    const std::vector<std::string> names = {
        "IMG_0042.jpg", "img_0042.JPG", "a1b2.txt",   "Café crème.doc", "trailing.",
        "<angle>.txt",  "v1.25",        "noext",      "Überweisung.pdf", "same.txt",
        "x.tar.gz",     "dots..mid.tx", " space .md", "ÀÉÎ õü.txt",     "007.bin"};
    for (const std::string& sub : {std::string("a/"), std::string("b/"), std::string("c/")}) {
        folder.MakeFolder(sub.substr(0, 1));
        folder.MakeFolder(sub + "inner");
        for (int i = 0; i < 12; ++i) {
            for (const std::string& name : names) {
                folder.WriteFile(sub + std::to_string(i) + name, sub + name);
            }
        }
        folder.WriteFile(sub + "inner/deep.txt", "deep");
    }
}

struct CRuleSet {
    const char* label;
    std::function<void(CRenameOptions&)> apply;
    std::string mask = "*";
};

std::vector<CRuleSet> RuleSets() {
    return {
        {"autonumber per folder",
         [](CRenameOptions& o) {
             o.name.replaceWithOn = true;
             o.name.replaceWithText = "<N>_<C:1>";
             o.autonumber.position = AutonumberPosition::AfterName;
             o.autonumber.restartPerFolder = true;
             o.autonumber.start = "5";
             o.autonumber.increment = "3";
             o.autonumber.zeroFill = "4";
         }},
        {"autonumber across folders, hex, before",
         [](CRenameOptions& o) {
             o.autonumber.position = AutonumberPosition::BeforeName;
             o.autonumber.base = AutonumberBase::Hex;
             o.autonumber.restartPerFolder = false;
             o.autonumber.start = "2147483640";
             o.autonumber.increment = "7";
             o.name.insertAfterOn = true;
             o.name.insertAfterText = "-<N:B2>";
         }},
        {"crops and inserts",
         [](CRenameOptions& o) {
             o.name.leftCropOn = true;
             o.name.leftCropCount = "1";
             o.name.rightCropOn = true;
             o.name.rightCropCount = "1";
             o.name.cropAtOn = true;
             o.name.cropPosition = "2";
             o.name.cropCount = "1";
             o.name.insertBeforeOn = true;
             o.name.insertBeforeText = "<T>=";
             o.name.insertAtOn = true;
             o.name.insertAtPosition = "1";
             o.name.insertAtText = "<EN:Z3>";
             o.name.caseMode = CaseMode::Upper;
         }},
        {"replace text, words capitalised, accents removed",
         [](CRenameOptions& o) {
             o.name.replaceTextOn = true;
             o.name.searchText = "a";
             o.name.replacementText = "<EN:I2><C:3>";
             o.name.caseMode = CaseMode::WordsCapitalised;
             o.name.removeAccents = true;
             o.extension.caseMode = CaseMode::Lower;
             o.extension.insertAfterOn = true;
             o.extension.insertAfterText = "<FN:1>";
         }},
        {"every row the same name",
         [](CRenameOptions& o) {
             o.name.replaceWithOn = true;
             o.name.replaceWithText = "same";
             o.extension.replaceWithOn = true;
             o.extension.replaceWithText = "txt";
             o.extension.caseMode = CaseMode::FirstCapitalised;
         }},
        {"regular expression mask",
         [](CRenameOptions& o) {
             o.name.replaceWithOn = true;
             o.name.replaceWithText = "<REGEXP>_<C:5>_<C:6:1>";
         },
         ":[0-9]+"},
    };
}

struct CMode {
    const char* label;
    bool onlySelected;
    /// Which rows to select (by row count); empty function: none.
    std::function<Ranges(int)> selection;
    bool foldersAsFiles;
    bool recursive;
};

std::vector<CMode> Modes() {
    const auto none = [](int) { return Ranges{}; };
    const auto one = [](int rows) { return Ranges{{rows / 2, rows / 2}}; };
    const auto many = [](int rows) { return Ranges{{3, rows / 3}, {rows / 2, rows - 2}}; };
    const auto alternating = [](int rows) {
        Ranges ranges;
        for (int row = 0; row < rows; row += 2) {
            ranges.emplace_back(row, row);
        }
        return ranges;
    };
    return {
        {"all rows", false, none, false, false},
        {"all rows, recursive", false, none, false, true},
        {"all rows, folders as files", false, none, true, false},
        {"only selected, none", true, none, false, true},
        {"only selected, one", true, one, false, true},
        {"only selected, many", true, many, true, true},
        {"only selected, alternating", true, alternating, false, true},
        {"only selected, alternating, folders as files", true, alternating, true, false},
    };
}

/// Two cores on one folder: piecewise computes a few rows at a time, atOnce
/// is the reference.
class PiecewiseNamesTest : public ::testing::Test {
protected:
    CTempFolder folder;
    CRecordingFrontEnd piecewiseFrontEnd;
    CRecordingFrontEnd atOnceFrontEnd;
    CRenameCore piecewise{&piecewiseFrontEnd};
    CRenameCore atOnce{&atOnceFrontEnd};
    std::mt19937 random{20261210};

    void SetUp() override {
        FillFolder(folder);
        for (CRenameCore* core : {&piecewise, &atOnce}) {
            AddDefaultColumns(core->GetCatalogue());
        }
        const std::vector<std::string> lines = {"first", "", "third/line", "Vierde"};
        piecewiseFrontEnd.editorLines = lines;
        atOnceFrontEnd.editorLines = lines;
        piecewise.SetPiecewiseRows(0);
    }

    void Prepare(CRenameCore& core, const CRuleSet& rules, const CMode& mode,
                 const std::string& path) {
        core.GetOptions() = CRenameOptions{};
        rules.apply(core.GetOptions());
        core.GetOptions().renameOnlySelected = mode.onlySelected;
        CFileCatalogue& catalogue = core.GetCatalogue();
        catalogue.SetMask(rules.mask);
        catalogue.SetRecursive(mode.recursive);
        catalogue.SetFoldersAsFiles(mode.foldersAsFiles);
        // A list that is not recursive shows one of the three folders.
        ASSERT_TRUE(catalogue.SetFolder(mode.recursive ? path : path + "a/", true));
        catalogue.Refresh();
        core.SetRowsSelected({{0, catalogue.GetRowCount() - 1}}, false);
        core.SetRowsSelected(mode.selection(catalogue.GetRowCount()), true);
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    /// Runs a piecewise computation to its end in small random steps.
    void RunPiecewise(CRenameCore& core, int& steps) {
        const int rows = core.GetCatalogue().GetRowCount();
        const int top = Pick(0, std::max(rows - 1, 0));
        core.StartNewNames(true, top, top + Pick(0, 40));
        while (core.IsComputingNewNames()) {
            if (Pick(0, 3) == 0) {
                const int first = Pick(-5, rows + 5);
                core.EnsureRowsComputed(first, first + Pick(0, 30));
            } else {
                core.ContinueNewNames(1'000'000'000, Pick(1, 40));
            }
            ++steps;
        }
    }

    void ExpectSamePreview(const std::string& context) {
        SCOPED_TRACE(context);
        ASSERT_FALSE(piecewise.IsComputingNewNames());
        const CPreviewTexts& rows = piecewise.GetPreviewTexts();
        const CPreviewTexts& expected = atOnce.GetPreviewTexts();
        ASSERT_EQ(rows.GetRowCount(), expected.GetRowCount());
        for (std::size_t i = 0; i < rows.GetRowCount(); ++i) {
            const int row = static_cast<int>(i);
            ASSERT_EQ(rows.Text(i), expected.Text(i)) << "row " << row;
            ASSERT_EQ(rows.Kind(i), expected.Kind(i)) << "row " << row;
            ASSERT_EQ(piecewise.GetCatalogue().IsRowSelected(row),
                      atOnce.GetCatalogue().IsRowSelected(row))
                << "row " << row;
            ASSERT_EQ(piecewise.GetConflicts().GetKind(row), atOnce.GetConflicts().GetKind(row))
                << "row " << row;
            ASSERT_EQ(piecewise.GetConflicts().GetOtherPath(piecewise.GetCatalogue(), rows, row),
                      atOnce.GetConflicts().GetOtherPath(atOnce.GetCatalogue(), expected, row))
                << "row " << row;
        }
        EXPECT_EQ(piecewise.GetPreviewHeader(), atOnce.GetPreviewHeader());
        EXPECT_EQ(piecewise.GetConflicts().GetCount(), atOnce.GetConflicts().GetCount());
    }
};

TEST_F(PiecewiseNamesTest, EveryRuleSetAndModeGivesTheNamesComputedAtOnce) {
    int collisions = 0;
    for (const CRuleSet& rules : RuleSets()) {
        for (const CMode& mode : Modes()) {
            const std::string context = std::string(rules.label) + " / " + mode.label;
            Prepare(atOnce, rules, mode, folder.Path());
            atOnce.ComputeNewNames(true);
            Prepare(piecewise, rules, mode, folder.Path());
            ASSERT_GT(piecewise.GetCatalogue().GetRowCount(), 30) << context;
            int steps = 0;
            RunPiecewise(piecewise, steps);
            EXPECT_GT(steps, 2) << context;
            ExpectSamePreview(context);
            collisions += atOnce.GetConflicts().GetCount();
        }
    }
    // The table holds rules whose names collide, so the marks were compared.
    EXPECT_GT(collisions, 0);
}

TEST_F(PiecewiseNamesTest, PendingRowsAreNotValidAndTheHeaderHasNoCollisionCount) {
    const CRuleSet rules = RuleSets()[4]; // every row the same name
    const CMode mode = Modes()[0];
    Prepare(atOnce, rules, mode, folder.Path());
    atOnce.ComputeNewNames(true);
    ASSERT_GT(atOnce.GetConflicts().GetCount(), 0);
    Prepare(piecewise, rules, mode, folder.Path());
    piecewise.StartNewNames(true, 10, 12);
    ASSERT_TRUE(piecewise.IsComputingNewNames());
    EXPECT_FALSE(piecewise.IsRowPending(10));
    EXPECT_FALSE(piecewise.IsRowPending(12));
    EXPECT_TRUE(piecewise.IsRowPending(13));
    EXPECT_EQ(piecewise.GetPreviewText(11), atOnce.GetPreviewText(11));
    EXPECT_EQ(piecewise.GetConflicts().GetCount(), 0);
    EXPECT_EQ(piecewise.GetConflicts().GetKind(11), CRenameConflicts::Kind::None);
    // The row count only, as the header of the computation at once starts.
    const std::string header = piecewise.GetPreviewHeader();
    EXPECT_EQ(atOnce.GetPreviewHeader().rfind(header, 0), 0U);
    EXPECT_LT(header.size(), atOnce.GetPreviewHeader().size());
    piecewise.FinishNewNames();
    ExpectSamePreview("finished");
}

TEST_F(PiecewiseNamesTest, OptionsChangedHalfWayGiveTheNamesOfTheLastOptions) {
    const std::vector<CRuleSet> sets = RuleSets();
    const CMode mode = Modes()[5];
    Prepare(piecewise, sets[0], mode, folder.Path());
    piecewise.StartNewNames(true, 0, 5);
    piecewise.ContinueNewNames(1'000'000'000, 20);
    piecewise.EnsureRowsComputed(40, 60);
    ASSERT_TRUE(piecewise.IsComputingNewNames());

    sets[3].apply(piecewise.GetOptions());
    int steps = 0;
    RunPiecewise(piecewise, steps);

    Prepare(atOnce, sets[0], mode, folder.Path());
    sets[3].apply(atOnce.GetOptions());
    atOnce.ComputeNewNames(true);
    ExpectSamePreview("options changed");
}

TEST_F(PiecewiseNamesTest, SelectionAndRowChangesHalfWayLeaveNoStaleRow) {
    const CRuleSet rules = RuleSets()[0];
    const CMode mode = Modes()[6];
    Prepare(piecewise, rules, mode, folder.Path());
    piecewise.StartNewNames(true, 0, 5);
    piecewise.ContinueNewNames(1'000'000'000, 30);
    // A change of selection with "only selected" starts over.
    piecewise.SetRowsSelected({{1, 9}}, true);
    piecewise.ContinueNewNames(1'000'000'000, 30);
    // So does a sort.
    piecewise.GetCatalogue().SortBy(kExtensionColumn, false);
    int steps = 0;
    while (piecewise.ContinueNewNames(1'000'000'000, 25)) {
        ++steps;
    }

    Prepare(atOnce, rules, mode, folder.Path());
    atOnce.SetRowsSelected({{1, 9}}, true);
    atOnce.GetCatalogue().SortBy(kExtensionColumn, false);
    atOnce.ComputeNewNames(true);
    ExpectSamePreview("selection and sort");
}

TEST_F(PiecewiseNamesTest, EditorEditHalfWayAndRestartGivesTheNewLines) {
    const CRuleSet rules = RuleSets()[2]; // reads <T>
    const CMode mode = Modes()[0];
    Prepare(piecewise, rules, mode, folder.Path());
    piecewise.StartNewNames(true, 0, 3);
    piecewise.ContinueNewNames(1'000'000'000, 10);
    piecewiseFrontEnd.editorLines = {"edited", "lines"};
    // The window starts over after an edit; so does this driver.
    piecewise.StartNewNames(true, 0, 3);
    int steps = 0;
    RunPiecewise(piecewise, steps);

    atOnceFrontEnd.editorLines = {"edited", "lines"};
    Prepare(atOnce, rules, mode, folder.Path());
    atOnce.ComputeNewNames(true);
    ExpectSamePreview("editor edited");
}

TEST_F(PiecewiseNamesTest, RandomTextIsDrawnAtOnceInRowOrder) {
    const CRuleSet rules{"random", [](CRenameOptions& o) {
                             o.name.insertAfterOn = true;
                             o.name.insertAfterText = "-<r:S6>";
                         }};
    const CMode mode = Modes()[0];
    Prepare(piecewise, rules, mode, folder.Path());
    Prepare(atOnce, rules, mode, folder.Path());
    SeedTagRandom(77);
    atOnce.ComputeNewNames(true);
    SeedTagRandom(77);
    piecewise.StartNewNames(true, 30, 35);
    EXPECT_FALSE(piecewise.IsComputingNewNames());
    ExpectSamePreview("random");
}

TEST_F(PiecewiseNamesTest, BelowTheThresholdTheComputationIsAtOnce) {
    const CRuleSet rules = RuleSets()[0];
    const CMode mode = Modes()[0];
    Prepare(piecewise, rules, mode, folder.Path());
    const int rows = piecewise.GetCatalogue().GetRowCount();
    piecewise.SetPiecewiseRows(rows + 1);
    piecewise.RecomputeNewNames(false);
    EXPECT_FALSE(piecewise.IsComputingNewNames());
    piecewise.SetPiecewiseRows(rows);
    piecewise.RecomputeNewNames(false);
    EXPECT_TRUE(piecewise.IsComputingNewNames());
    piecewise.SetPiecewiseRows(-1);
    piecewise.RecomputeNewNames(false);
    EXPECT_FALSE(piecewise.IsComputingNewNames());
}

TEST_F(PiecewiseNamesTest, NoSliceRunsInsideARenameQuestion) {
    const CRuleSet rules = RuleSets()[0];
    Prepare(piecewise, rules, Modes()[0], folder.Path());
    piecewise.StartNewNames(true, 0, 3);
    int pendingInQuestion = -1;
    struct CAskingFrontEnd : CRecordingFrontEnd {
        std::function<void()> onQuestion;
        int ShowMessage(MessageKind kind, const std::string& text, int style) override {
            if (kind == MessageKind::Question && onQuestion) {
                onQuestion();
            }
            return CRecordingFrontEnd::ShowMessage(kind, text, style);
        }
    } asking;
    asking.answer = msgbox::kNo;
    asking.onQuestion = [&] {
        // A rename's question finds the computation complete, and a slice
        // asked for from its event loop does nothing.
        pendingInQuestion = piecewise.IsComputingNewNames() ? 1 : 0;
    };
    piecewise.SetFrontEnd(&asking);
    piecewise.RenameFiles();
    EXPECT_EQ(pendingInQuestion, 0);

    piecewise.StartNewNames(true, 0, 3);
    asking.onQuestion = [&] {
        piecewise.StartNewNames(true, 0, 3);
        EXPECT_TRUE(piecewise.ContinueNewNames(1'000'000'000));
        EXPECT_TRUE(piecewise.IsComputingNewNames());
    };
    piecewise.RenameFiles();
    piecewise.SetFrontEnd(&piecewiseFrontEnd);
}

/// Twin folders: one core renames half way through a piecewise
/// computation, the other after a computation at once.
class PiecewiseRenameTest : public ::testing::Test {
protected:
    CTempFolder piecewiseFolder;
    CTempFolder atOnceFolder;
    CRecordingFrontEnd piecewiseFrontEnd;
    CRecordingFrontEnd atOnceFrontEnd;
    CRenameCore piecewise{&piecewiseFrontEnd};
    CRenameCore atOnce{&atOnceFrontEnd};

    void Prepare(CRenameCore& core, const CTempFolder& folder, bool swaps,
                 const std::function<void(CRenameOptions&)>& rules) {
        FillFolder(folder);
        AddDefaultColumns(core.GetCatalogue());
        core.GetSwitches().allowSwapsAndChains = swaps;
        rules(core.GetOptions());
        core.GetOptions().renameOnlySelected = false;
        core.GetCatalogue().SetRecursive(true);
        ASSERT_TRUE(core.GetCatalogue().SetFolder(folder.Path(), true));
        core.GetCatalogue().Refresh();
    }

    static std::vector<std::string> Listing(const CTempFolder& folder) {
        std::vector<std::string> names;
        for (const auto& item : std::filesystem::recursive_directory_iterator(folder.Path())) {
            names.push_back(item.path().string().substr(folder.Path().size()));
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::vector<std::string> Relative(const std::vector<std::string>& paths,
                                             const CTempFolder& folder) {
        std::vector<std::string> result;
        for (const std::string& path : paths) {
            result.push_back(path.rfind(folder.Path(), 0) == 0 ? path.substr(folder.Path().size())
                                                                : path);
        }
        return result;
    }

    void RenameBoth(bool swaps, const std::function<void(CRenameOptions&)>& rules) {
        Prepare(piecewise, piecewiseFolder, swaps, rules);
        Prepare(atOnce, atOnceFolder, swaps, rules);
        piecewise.SetPiecewiseRows(0);
        piecewise.RecomputeNewNames(false);
        for (int slice = 0; slice < 3; ++slice) {
            ASSERT_TRUE(piecewise.ContinueNewNames(1'000'000'000, 7));
        }
        ASSERT_TRUE(piecewise.IsComputingNewNames());
        atOnce.ComputeNewNames(true);

        piecewiseFrontEnd.answer = msgbox::kYes;
        atOnceFrontEnd.answer = msgbox::kYes;
        const int piecewiseFailed = piecewise.RenameFiles();
        const int atOnceFailed = atOnce.RenameFiles();

        EXPECT_EQ(piecewiseFailed, atOnceFailed);
        EXPECT_EQ(piecewise.GetRenamedCount(), atOnce.GetRenamedCount());
        EXPECT_GT(atOnce.GetRenamedCount(), 0);
        EXPECT_EQ(Listing(piecewiseFolder), Listing(atOnceFolder));
        ASSERT_FALSE(atOnceFrontEnd.messages.empty());
        EXPECT_EQ(piecewiseFrontEnd.messages.front().text, atOnceFrontEnd.messages.front().text);
        EXPECT_EQ(piecewiseFrontEnd.messages.size(), atOnceFrontEnd.messages.size());
        EXPECT_EQ(Relative(piecewise.GetUndoOldPaths(), piecewiseFolder),
                  Relative(atOnce.GetUndoOldPaths(), atOnceFolder));
        EXPECT_EQ(Relative(piecewise.GetUndoNewPaths(), piecewiseFolder),
                  Relative(atOnce.GetUndoNewPaths(), atOnceFolder));
        EXPECT_EQ(piecewise.GetFailures().size(), atOnce.GetFailures().size());

        EXPECT_EQ(piecewise.UndoRename(), atOnce.UndoRename());
        EXPECT_EQ(Listing(piecewiseFolder), Listing(atOnceFolder));
    }
};

TEST_F(PiecewiseRenameTest, RenameHalfWayRenamesWhatTheWholeComputationGives) {
    RenameBoth(false, [](CRenameOptions& o) {
        o.autonumber.position = AutonumberPosition::BeforeName;
        o.autonumber.restartPerFolder = true;
        o.name.insertAfterOn = true;
        o.name.insertAfterText = "_<EN:Z3>";
    });
}

TEST_F(PiecewiseRenameTest, RenameHalfWayWithCollisionsAsksTheSameQuestion) {
    RenameBoth(false, [](CRenameOptions& o) {
        o.name.caseMode = CaseMode::Lower;
        o.extension.caseMode = CaseMode::Lower;
    });
    EXPECT_NE(atOnceFrontEnd.messages.front().text.find('\n'), std::string::npos);
}

TEST_F(PiecewiseRenameTest, RenameHalfWayWithSwapsMovesTheSameChains) {
    RenameBoth(true, [](CRenameOptions& o) {
        // Row n takes the name of a row further on: chains and cycles.
        o.name.leftCropOn = true;
        o.name.leftCropCount = "1";
        o.name.insertBeforeOn = true;
        o.name.insertBeforeText = "<N:Z1>";
        o.autonumber.start = "1";
        o.autonumber.restartPerFolder = true;
    });
}

} // namespace
