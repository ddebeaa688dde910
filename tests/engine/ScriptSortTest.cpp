// SPDX-License-Identifier: GPL-3.0-or-later
// Names in scripts beyond Latin, Greek and Cyrillic sort and match masks
// without regard to case, as Latin names do.
#include "catalogue/FileCatalogue.h"
#include "catalogue/NameParts.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ScriptSortTest : public ::testing::Test {
protected:
    CTempFolder temp;
    CFileCatalogue catalogue;

    void SetUp() override {
        catalogue.AddColumn("Bestand", ColumnKind::FileName, -1, ColumnAlignment::Left);
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> names;
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            names.push_back(catalogue.GetRowEntry(row).LongName());
        }
        return names;
    }
};

TEST(ScriptCompare, CapitalsAndSmallLettersCompareEqualInEveryScript) {
    EXPECT_EQ(CompareNoCase("Բարև", "բարև"), 0);
    EXPECT_EQ(CompareNoCase("ᲐᲑᲒ", "აბგ"), 0);
    EXPECT_EQ(CompareNoCase("ᎠᎡᎢ", "ꭰꭱꭲ"), 0);
    EXPECT_EQ(CompareNoCase("photo ᲐᲑᲒ.JPG", "PHOTO აბგ.jpg"), 0);
    // Letters keep their order in the alphabet whatever their case.
    EXPECT_LT(CompareNoCase("Աբ", "բա"), 0);
    EXPECT_GT(CompareNoCase("Գ", "բ"), 0);
    EXPECT_LT(CompareNoCase("ᲐᲑ", "აგ"), 0);
    EXPECT_LT(CompareNoCase("ꭰꭱ", "ᎠᎢ"), 0);
    // A shorter name that is the start of a longer one comes first.
    EXPECT_LT(CompareNoCase("ᲐᲑ", "აბგ"), 0);
    EXPECT_GT(CompareNoCase("ꭰꭱꭲ", "ᎠᎡ"), 0);
}

TEST(ScriptCompare, FoldedTextsCompareAsCompareNoCaseDoes) {
    const std::vector<std::string> names = {"Բարև", "բարե", "ᲐᲑᲒ", "აბ",     "ᎠᎡᎢ", "ꭰꭱ",
                                            "abc",  "ÄB",   "\xff",      "\u212A", "k",   ""};
    for (const std::string& a : names) {
        for (const std::string& b : names) {
            std::string foldedA;
            std::string foldedB;
            AppendFoldedCase(foldedA, a);
            AppendFoldedCase(foldedB, b);
            const int byKey = foldedA.compare(foldedB);
            const int direct = CompareNoCase(a, b);
            EXPECT_EQ(byKey < 0, direct < 0) << a << " / " << b;
            EXPECT_EQ(byKey == 0, direct == 0) << a << " / " << b;
        }
    }
}

TEST_F(ScriptSortTest, NamesOfEveryScriptSortWithoutCase) {
    for (const char* name : {"ꭰꭱꭲ b.txt", "ᲐᲑᲒ 2.txt", "բարև.txt", "Bee.txt",
                             "ᎠᎡᎢ a.txt", "Գիրք.txt", "აბგ 1.txt", "ԱՐԵՎ.txt", "ant.txt"}) {
        temp.WriteFile(name);
    }
    ASSERT_TRUE(catalogue.SetFolder(temp.Path(), true));
    catalogue.Refresh();
    catalogue.SortBy(0, true);
    // Armenian, Georgian and Cherokee each sort as one alphabet, capitals
    // among small letters.
    const std::vector<std::string> expected = {"ant.txt",         "Bee.txt",   "ԱՐԵՎ.txt",
                                               "բարև.txt",        "Գիրք.txt",  "აბგ 1.txt",
                                               "ᲐᲑᲒ 2.txt", "ᎠᎡᎢ a.txt", "ꭰꭱꭲ b.txt"};
    EXPECT_EQ(Rows(), expected);
    catalogue.SortBy(0, false);
    EXPECT_EQ(Rows(), std::vector<std::string>(expected.rbegin(), expected.rend()));
}

TEST_F(ScriptSortTest, MasksListNamesOfEveryScriptWithoutCase) {
    for (const char* name : {"ᲐᲑᲒ 2.txt", "აბგ 1.txt", "ᎠᎡᎢ a.txt", "ꭰꭱꭲ b.txt",
                             "բարև.txt", "Բարև 2.txt", "other.txt"}) {
        temp.WriteFile(name);
    }
    ASSERT_TRUE(catalogue.SetFolder(temp.Path(), true));
    catalogue.SetMask("ᲐᲑᲒ*");
    catalogue.Refresh();
    catalogue.SortBy(0, true);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"აბგ 1.txt", "ᲐᲑᲒ 2.txt"}));
    catalogue.SetMask("ꭰꭱꭲ*.TXT;բարև*");
    catalogue.Refresh();
    catalogue.SortBy(0, true);
    EXPECT_EQ(Rows(),
              (std::vector<std::string>{"Բարև 2.txt", "բարև.txt", "ᎠᎡᎢ a.txt", "ꭰꭱꭲ b.txt"}));
}

} // namespace
