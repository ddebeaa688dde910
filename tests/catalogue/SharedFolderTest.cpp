// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FileEntry.h"
#include "catalogue/SharedFolder.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(SharedFolderTest, CopiesShareOneTextThatOutlivesTheFirstHolder) {
    auto first = std::make_unique<CSharedFolder>(std::string("/photos/2024/"));
    CSharedFolder copy = *first;
    EXPECT_EQ(&*copy, &**first);
    first.reset();
    EXPECT_EQ(*copy, "/photos/2024/");

    CSharedFolder moved(std::move(copy));
    EXPECT_FALSE(copy);
    ASSERT_TRUE(moved);
    EXPECT_EQ(*moved, "/photos/2024/");

    CSharedFolder other(std::string("/other/"));
    other = moved;
    EXPECT_EQ(&*other, &*moved);
    other = CSharedFolder();
    EXPECT_FALSE(other);
    EXPECT_EQ(*moved, "/photos/2024/");
}

TEST(SharedFolderTest, EntriesFreedOnAnotherThreadLeaveTheKeptCopiesWhole) {
    const CSharedFolder folder(std::string("/card/DCIM/"));
    std::vector<CFileEntry> listed;
    for (int i = 0; i < 1000; ++i) {
        listed.emplace_back(folder, "IMG_" + std::to_string(i) + ".JPG",
                            platform::EntryType::File);
    }
    std::vector<CFileEntry> kept(listed.begin(), listed.begin() + 10);
    std::thread releaser([old = std::move(listed)]() mutable { old.clear(); });
    for (int i = 0; i < 1000; ++i) {
        const CFileEntry copy = kept[static_cast<std::size_t>(i % 10)];
        EXPECT_EQ(copy.Folder(), "/card/DCIM/");
    }
    releaser.join();
    EXPECT_EQ(kept[3].FullPath(), "/card/DCIM/IMG_3.JPG");
}

TEST(SharedFolderTest, AnEntryMadeByHandOwnsItsFolder) {
    CFileEntry entry;
    EXPECT_EQ(entry.Folder(), "");
    entry.SetFolder("/tmp/x/");
    entry.SetLongName("a.txt");
    const CFileEntry copy = entry;
    entry.SetFolder("/elsewhere/");
    EXPECT_EQ(copy.FullPath(), "/tmp/x/a.txt");
    EXPECT_EQ(entry.FullPath(), "/elsewhere/a.txt");
}

} // namespace
