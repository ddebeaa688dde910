// SPDX-License-Identifier: GPL-3.0-or-later
// The names of one folder: who holds a name, whether the rows' names are
// read from the rows, and what stays when the rows go or change order.
#include "engine/FolderNames.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

class FolderNamesTest : public ::testing::Test {
protected:
    /// The names of the rows, by row.
    std::vector<std::string> rowNames;
    int rowNameReads = 0;
    CFolderNames names;
    CFolderNames::RowName rowName = [this](int32_t row, std::string& /*buffer*/) {
        ++rowNameReads;
        return std::string_view(rowNames.at(static_cast<std::size_t>(row)));
    };

    static uint32_t TagOf(std::string_view name) {
        return CFolderNames::Tag(std::hash<std::string_view>()(name));
    }
    void AddRows() {
        for (std::size_t row = 0; row < rowNames.size(); ++row) {
            names.AddRow(static_cast<int32_t>(row), rowNames[row], TagOf(rowNames[row]), rowName);
        }
    }
    /// The holder of name: a row, kNotListed, or -2 for no file.
    int32_t Holder(std::string_view name, uint32_t tag) const {
        int32_t holder = 99;
        return names.Find(name, tag, rowName, holder) ? holder : -2;
    }
    int32_t Holder(std::string_view name) const { return Holder(name, TagOf(name)); }
};

TEST_F(FolderNamesTest, RowsAndNamesNoRowListsAreFoundByName) {
    rowNames = {"a.txt", "b.txt", "c.txt"};
    AddRows();
    names.AddUnlisted("x.doc", TagOf("x.doc"), rowName);
    // A row's name read from the folder later is the row's still.
    names.AddUnlisted("b.txt", TagOf("b.txt"), rowName);
    EXPECT_EQ(Holder("a.txt"), 0);
    EXPECT_EQ(Holder("b.txt"), 1);
    EXPECT_EQ(Holder("c.txt"), 2);
    EXPECT_EQ(Holder("x.doc"), CFolderNames::kNotListed);
    EXPECT_EQ(Holder("d.txt"), -2);
    EXPECT_EQ(Holder("A.txt"), -2);
    EXPECT_EQ(names.GetCount(), 4u);
}

TEST_F(FolderNamesTest, NamesThatShareTheirHashAreToldApartByTheirText) {
    // Every name gets one tag, as if all hashed alike.
    const uint32_t tag = 0x5EED;
    for (int i = 0; i < 300; ++i) {
        rowNames.push_back("row" + std::to_string(i));
    }
    for (std::size_t row = 0; row < rowNames.size(); ++row) {
        names.AddRow(static_cast<int32_t>(row), rowNames[row], tag, rowName);
    }
    for (int i = 0; i < 300; ++i) {
        names.AddUnlisted("hidden" + std::to_string(i), tag, rowName);
    }
    EXPECT_EQ(names.GetCount(), 600u);
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(Holder("row" + std::to_string(i), tag), i);
        EXPECT_EQ(Holder("hidden" + std::to_string(i), tag), CFolderNames::kNotListed);
    }
    EXPECT_EQ(Holder("row300", tag), -2);
    EXPECT_EQ(Holder("hidden300", tag), -2);
    // The same names under their own tags are other names.
    EXPECT_EQ(Holder("row7", tag + 1), -2);
}

TEST_F(FolderNamesTest, TheTableGrowsWithoutLosingANameOrItsHolder) {
    for (int i = 0; i < 5000; ++i) {
        rowNames.push_back("IMG_" + std::to_string(i) + ".JPG");
    }
    names.Reserve(10);
    AddRows();
    for (int i = 0; i < 5000; ++i) {
        names.AddUnlisted("IMG_" + std::to_string(i) + ".XMP",
                          TagOf("IMG_" + std::to_string(i) + ".XMP"), rowName);
    }
    for (int i = 0; i < 5000; i += 7) {
        EXPECT_EQ(Holder("IMG_" + std::to_string(i) + ".JPG"), i);
        EXPECT_EQ(Holder("IMG_" + std::to_string(i) + ".XMP"), CFolderNames::kNotListed);
    }
    EXPECT_EQ(Holder("IMG_5000.JPG"), -2);
}

TEST_F(FolderNamesTest, ANameNoFileHoldsIsMostlyAnsweredWithoutReadingARow) {
    for (int i = 0; i < 1000; ++i) {
        rowNames.push_back("photo" + std::to_string(i) + ".jpg");
    }
    AddRows();
    rowNameReads = 0;
    int found = 0;
    for (int i = 0; i < 1000; ++i) {
        found += Holder("vakantie-photo" + std::to_string(i) + ".jpg") != -2 ? 1 : 0;
    }
    EXPECT_EQ(found, 0);
    // Only a name whose full tag matches a row's is compared.
    EXPECT_LT(rowNameReads, 5);
}

TEST_F(FolderNamesTest, ForgettingTheRowsKeepsTheNamesNoRowLists) {
    rowNames = {"a.txt", "b.txt"};
    AddRows();
    names.AddUnlisted("x.doc", TagOf("x.doc"), rowName);
    names.ForgetRows();
    EXPECT_EQ(Holder("a.txt"), -2);
    EXPECT_EQ(Holder("x.doc"), CFolderNames::kNotListed);
    // The same files, listed in the other order.
    rowNames = {"b.txt", "a.txt"};
    AddRows();
    EXPECT_EQ(Holder("a.txt"), 1);
    EXPECT_EQ(Holder("b.txt"), 0);
    EXPECT_EQ(Holder("x.doc"), CFolderNames::kNotListed);
    EXPECT_EQ(names.GetCount(), 3u);
}

TEST_F(FolderNamesTest, ReorderedRowsAreRenumberedWithoutReadingTheirNames) {
    rowNames = {"a.txt", "b.txt", "c.txt"};
    AddRows();
    names.AddUnlisted("x.doc", TagOf("x.doc"), rowName);
    // Row 0 becomes row 2, row 1 row 0, row 2 row 1.
    rowNames = {"b.txt", "c.txt", "a.txt"};
    rowNameReads = 0;
    names.RenumberRows({2, 0, 1});
    EXPECT_EQ(rowNameReads, 0);
    EXPECT_EQ(Holder("a.txt"), 2);
    EXPECT_EQ(Holder("b.txt"), 0);
    EXPECT_EQ(Holder("c.txt"), 1);
    EXPECT_EQ(Holder("x.doc"), CFolderNames::kNotListed);
}

TEST_F(FolderNamesTest, AFoldingFolderComparesTheNamesItIsGivenAsItFoldsThem) {
    // The caller folds: the rows' names are read folded, and so are the
    // names asked for.
    const auto fold = [](std::string_view name) {
        std::string folded(name);
        for (char& c : folded) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return folded;
    };
    rowNames = {"IMG_0001.JPG", "img_0002.jpg"};
    const CFolderNames::RowName folding = [&](int32_t row, std::string& buffer) {
        buffer = fold(rowNames.at(static_cast<std::size_t>(row)));
        return std::string_view(buffer);
    };
    for (std::size_t row = 0; row < rowNames.size(); ++row) {
        const std::string folded = fold(rowNames[row]);
        names.AddRow(static_cast<int32_t>(row), folded, TagOf(folded), folding);
    }
    names.AddUnlisted(fold("IMG_0001.JPG"), TagOf(fold("IMG_0001.JPG")), folding);
    names.AddUnlisted(fold("Notes.TXT"), TagOf(fold("Notes.TXT")), folding);
    int32_t holder = 99;
    ASSERT_TRUE(names.Find("img_0001.jpg", TagOf("img_0001.jpg"), folding, holder));
    EXPECT_EQ(holder, 0);
    ASSERT_TRUE(names.Find("img_0002.jpg", TagOf("img_0002.jpg"), folding, holder));
    EXPECT_EQ(holder, 1);
    ASSERT_TRUE(names.Find("notes.txt", TagOf("notes.txt"), folding, holder));
    EXPECT_EQ(holder, CFolderNames::kNotListed);
    EXPECT_EQ(names.GetCount(), 3u);
}

} // namespace
