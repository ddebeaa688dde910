// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileSystem.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <unordered_set>
#include <vector>

using platform::GetShortName;
using platform::GetShortPathName;
using platform::IsValidShortName;
using platform::MakeShortNames;

namespace {

using Names = std::vector<std::string>;

// Changes the current folder for the life of the object.
class CScopedCurrentFolder {
public:
    explicit CScopedCurrentFolder(const std::string& folder) : saved(platform::GetCurrentFolder()) {
        if (chdir(folder.c_str()) != 0) {
            ADD_FAILURE() << "chdir " << folder;
        }
    }
    ~CScopedCurrentFolder() {
        if (chdir(saved.c_str()) != 0) {
            ADD_FAILURE() << "chdir back " << saved;
        }
    }
    CScopedCurrentFolder(const CScopedCurrentFolder&) = delete;
    CScopedCurrentFolder& operator=(const CScopedCurrentFolder&) = delete;

private:
    std::string saved;
};

} // namespace

// ---------------------------------------------------------------------------
// Valid 8.3 names

TEST(ShortNameValid, ValidNames) {
    EXPECT_TRUE(IsValidShortName("README.TXT"));
    EXPECT_TRUE(IsValidShortName("readme.txt"));
    EXPECT_TRUE(IsValidShortName("a.b"));
    EXPECT_TRUE(IsValidShortName("A"));
    EXPECT_TRUE(IsValidShortName("ABCDEFGH.IJK"));
    EXPECT_TRUE(IsValidShortName("LONGFI~1.TXT"));
    EXPECT_TRUE(IsValidShortName("!#$%&'()"));
    EXPECT_TRUE(IsValidShortName("-@^_`{}~.123"));
}

TEST(ShortNameValid, InvalidNames) {
    EXPECT_FALSE(IsValidShortName("longername.txt")); // base of nine
    EXPECT_FALSE(IsValidShortName("x.html"));         // extension of four
    EXPECT_FALSE(IsValidShortName("a b.txt"));        // blank
    EXPECT_FALSE(IsValidShortName("a.b.c"));          // two dots
    EXPECT_FALSE(IsValidShortName(".profile"));       // empty base
    EXPECT_FALSE(IsValidShortName("name."));          // empty extension
    EXPECT_FALSE(IsValidShortName(""));
    EXPECT_FALSE(IsValidShortName("a+b.txt"));
    EXPECT_FALSE(IsValidShortName("a[1].txt"));
    EXPECT_FALSE(IsValidShortName("caf\xC3\xA9.txt"));
    EXPECT_FALSE(IsValidShortName("caf\xE9.txt"));
}

// ---------------------------------------------------------------------------
// Making aliases

TEST(ShortNameMake, LongNameGetsSixCharactersTildeNumberAndExtension) {
    EXPECT_EQ(MakeShortNames({"Long File Name.txt"}), Names{"LONGFI~1.TXT"});
    EXPECT_EQ(MakeShortNames({"x.html"}), Names{"X~1.HTM"});
    EXPECT_EQ(MakeShortNames({"archive.tar.gz"}), Names{"ARCHIV~1.GZ"});
    EXPECT_EQ(MakeShortNames({"a.b.c"}), Names{"AB~1.C"});
    EXPECT_EQ(MakeShortNames({"longername"}), Names{"LONGER~1"});
    EXPECT_EQ(MakeShortNames({"name."}), Names{"NAME~1"});
}

TEST(ShortNameMake, ValidShortNameIsItsOwnAlias) {
    EXPECT_EQ(MakeShortNames({"README.TXT", "readme.txt", "a.b"}), (Names{"", "", ""}));
}

TEST(ShortNameMake, UnusableCharactersBecomeUnderscoresBlanksAndDotsDropped) {
    EXPECT_EQ(MakeShortNames({"a+b=c[1].txt"}), Names{"A_B_C_~1.TXT"});
    EXPECT_EQ(MakeShortNames({"caf\xC3\xA9 au lait.jpeg"}), Names{"CAF_AU~1.JPE"});
    EXPECT_EQ(MakeShortNames({"caf\xE9.txt"}), Names{"CAF_~1.TXT"});
    EXPECT_EQ(MakeShortNames({"a b.c d"}), Names{"AB~1.CD"});
    EXPECT_EQ(MakeShortNames({"v1.2.3 final.txt"}), Names{"V123FI~1.TXT"});
    EXPECT_EQ(MakeShortNames({"x.t+t"}), Names{"X~1.T_T"});
}

TEST(ShortNameMake, LeadingDotsAreDropped) {
    EXPECT_EQ(MakeShortNames({".profile"}), Names{"PROFIL~1"});
    EXPECT_EQ(MakeShortNames({".bashrc"}), Names{"BASHRC~1"});
    EXPECT_EQ(MakeShortNames({"..two.txt"}), Names{"TWO~1.TXT"});
}

TEST(ShortNameMake, SameStemNumberedInSortedOrderOfLongNames) {
    EXPECT_EQ(MakeShortNames({"Long File Two.txt", "Long File One.txt"}),
              (Names{"LONGFI~2.TXT", "LONGFI~1.TXT"}));
    EXPECT_EQ(MakeShortNames({"Long File One.txt", "Long File Two.txt"}),
              (Names{"LONGFI~1.TXT", "LONGFI~2.TXT"}));
    // Different extensions are different aliases and both get ~1.
    EXPECT_EQ(MakeShortNames({"Long File One.txt", "Long File One.doc"}),
              (Names{"LONGFI~1.TXT", "LONGFI~1.DOC"}));
}

TEST(ShortNameMake, TakenShortNamePushesTheAliasOn) {
    EXPECT_EQ(MakeShortNames({"Long File Name.txt", "LONGFI~1.TXT"}), (Names{"LONGFI~2.TXT", ""}));
    EXPECT_EQ(MakeShortNames({"longfi~1.txt", "Long File Name.txt", "LONGFI~2.TXT"}),
              (Names{"", "LONGFI~3.TXT", ""}));
    EXPECT_EQ(MakeShortNames({".profile", "PROFIL~1"}), (Names{"PROFIL~2", ""}));
}

TEST(ShortNameMake, TenOrMoreAliasesStayValidShortNames) {
    Names names;
    for (int i = 0; i < 120; ++i) {
        names.push_back("Holiday picture " +
                        std::string(i < 10    ? "00"
                                    : i < 100 ? "0"
                                              : "") +
                        std::to_string(i) + ".jpeg");
    }
    const Names aliases = MakeShortNames(names);
    ASSERT_EQ(aliases.size(), names.size());
    EXPECT_EQ(aliases[0], "HOLIDA~1.JPE");
    EXPECT_EQ(aliases[8], "HOLIDA~9.JPE");
    EXPECT_EQ(aliases[9], "HOLID~10.JPE");
    EXPECT_EQ(aliases[98], "HOLID~99.JPE");
    EXPECT_EQ(aliases[99], "HOLI~100.JPE");
    EXPECT_EQ(aliases[119], "HOLI~120.JPE");
    for (const auto& alias : aliases) {
        EXPECT_TRUE(IsValidShortName(alias)) << alias;
    }
}

TEST(ShortNameMake, ShortStemIsNotCutForLargeNumbers) {
    Names names;
    for (int i = 0; i < 12; ++i) {
        names.push_back("ab.cd e" + std::string(i < 10 ? "0" : "") + std::to_string(i));
    }
    const Names aliases = MakeShortNames(names);
    EXPECT_EQ(aliases[0], "AB~1.CDE");
    EXPECT_EQ(aliases[9], "AB~10.CDE");
    EXPECT_EQ(aliases[11], "AB~12.CDE");
}

TEST(ShortNameMake, ManyNamesWithOneStemAreAllUnique) {
    Names names;
    for (int i = 0; i < 20000; ++i) {
        names.push_back("Same stem for all " + std::to_string(i) + ".txt");
    }
    const Names aliases = MakeShortNames(names);
    ASSERT_EQ(aliases.size(), names.size());
    std::unordered_set<std::string> seen;
    for (const auto& alias : aliases) {
        ASSERT_TRUE(IsValidShortName(alias)) << alias;
        ASSERT_TRUE(seen.insert(alias).second) << alias;
    }
    EXPECT_EQ(seen.size(), names.size());
}

TEST(ShortNameMake, AliasesNeverCollideAcrossStems) {
    // "LONGF~10.TXT" could come from two stems; each alias is given once.
    Names names;
    for (int i = 0; i < 15; ++i) {
        names.push_back("longfa" + std::to_string(100 + i) + ".txt");
        names.push_back("longfb" + std::to_string(100 + i) + ".txt");
    }
    names.push_back("LONGF~10.TXT");
    const Names aliases = MakeShortNames(names);
    std::unordered_set<std::string> seen = {"LONGF~10.TXT"};
    for (std::size_t i = 0; i + 1 < aliases.size(); ++i) {
        EXPECT_TRUE(IsValidShortName(aliases[i])) << aliases[i];
        EXPECT_TRUE(seen.insert(aliases[i]).second) << aliases[i];
    }
    EXPECT_EQ(aliases.back(), "");
}

// ---------------------------------------------------------------------------
// Aliases of real files

TEST(ShortNameFiles, GetShortNameOfFilesInAFolder) {
    const CTempFolder temp;
    temp.WriteFile("Long File Name.txt", "x");
    temp.WriteFile("Long File Aaa.txt", "x");
    temp.WriteFile("README.TXT", "x");
    temp.MakeFolder("My Documents");
    std::string alias;
    ASSERT_TRUE(GetShortName(temp / "Long File Aaa.txt", alias));
    EXPECT_EQ(alias, "LONGFI~1.TXT");
    ASSERT_TRUE(GetShortName(temp / "Long File Name.txt", alias));
    EXPECT_EQ(alias, "LONGFI~2.TXT");
    ASSERT_TRUE(GetShortName(temp / "README.TXT", alias));
    EXPECT_EQ(alias, "README.TXT");
    ASSERT_TRUE(GetShortName(temp / "My Documents", alias));
    EXPECT_EQ(alias, "MYDOCU~1");
    ASSERT_TRUE(GetShortName(temp / "My Documents/", alias));
    EXPECT_EQ(alias, "MYDOCU~1");
    EXPECT_FALSE(GetShortName(temp / "missing name.txt", alias));
}

TEST(ShortNameFiles, GetShortNameOfRelativePath) {
    const CTempFolder temp;
    temp.WriteFile("My Documents/Long File Name.txt", "x");
    const CScopedCurrentFolder here(temp.Path());
    std::string alias;
    ASSERT_TRUE(GetShortName("My Documents", alias));
    EXPECT_EQ(alias, "MYDOCU~1");
    ASSERT_TRUE(GetShortName("My Documents/Long File Name.txt", alias));
    EXPECT_EQ(alias, "LONGFI~1.TXT");
    std::string shortPath;
    ASSERT_TRUE(GetShortPathName("My Documents/Long File Name.txt", shortPath));
    EXPECT_EQ(shortPath, "MYDOCU~1/LONGFI~1.TXT");
    ASSERT_TRUE(GetShortPathName("./My Documents/", shortPath));
    EXPECT_EQ(shortPath, "./MYDOCU~1/");
}

TEST(ShortNameFiles, GetShortPathNameReplacesEveryComponent) {
    const CTempFolder temp;
    temp.WriteFile("My Documents/Holiday Pictures/Beach at noon.jpeg", "x");
    temp.WriteFile("My Documents/notes.txt", "x");
    std::string root;
    ASSERT_TRUE(GetShortPathName(temp.Path(), root));
    ASSERT_FALSE(root.empty());
    EXPECT_EQ(root.front(), '/');
    EXPECT_EQ(root.back(), '/');
    // The temporary folder's own alias follows its siblings in the shared temporary
    // folder, which other tests fill and empty meanwhile: only the part below it is fixed.
    const auto belowTemp = [&root](const std::string& shortPath) {
        const auto depth = std::count(root.begin(), root.end(), '/');
        std::size_t start = 0;
        for (auto component = 0; component < depth; ++component) {
            const auto slash = shortPath.find('/', start);
            if (slash == std::string::npos) {
                return "(not below the temporary folder) " + shortPath;
            }
            if (component > 0) {
                EXPECT_TRUE(IsValidShortName(shortPath.substr(start, slash - start))) << shortPath;
            }
            start = slash + 1;
        }
        return shortPath.substr(start);
    };
    std::string shortPath;
    ASSERT_TRUE(
        GetShortPathName(temp / "My Documents/Holiday Pictures/Beach at noon.jpeg", shortPath));
    EXPECT_EQ(belowTemp(shortPath), "MYDOCU~1/HOLIDA~1/BEACHA~1.JPE");
    ASSERT_TRUE(GetShortPathName(temp / "My Documents/notes.txt", shortPath));
    EXPECT_EQ(belowTemp(shortPath), "MYDOCU~1/notes.txt");
    ASSERT_TRUE(GetShortPathName("/", shortPath));
    EXPECT_EQ(shortPath, "/");
    EXPECT_FALSE(GetShortPathName(temp / "My Documents/missing/x.txt", shortPath));
    EXPECT_FALSE(GetShortPathName("", shortPath));
}

TEST(ShortNameFiles, AliasFollowsChangesOfTheFolder) {
    const CTempFolder temp;
    temp.WriteFile("Long File Name.txt", "x");
    std::string alias;
    ASSERT_TRUE(GetShortName(temp / "Long File Name.txt", alias));
    EXPECT_EQ(alias, "LONGFI~1.TXT");

    temp.WriteFile("Long File Aaa.txt", "x");
    ASSERT_TRUE(GetShortName(temp / "Long File Name.txt", alias));
    EXPECT_EQ(alias, "LONGFI~2.TXT");
    ASSERT_TRUE(GetShortName(temp / "Long File Aaa.txt", alias));
    EXPECT_EQ(alias, "LONGFI~1.TXT");

    ASSERT_EQ(unlink((temp / "Long File Aaa.txt").c_str()), 0);
    ASSERT_TRUE(GetShortName(temp / "Long File Name.txt", alias));
    EXPECT_EQ(alias, "LONGFI~1.TXT");
    EXPECT_FALSE(GetShortName(temp / "Long File Aaa.txt", alias));
}

TEST(ShortNameFiles, AliasFollowsAChangeWithinOneTimestampTick) {
    // A file system with coarse timestamps can give a folder the same
    // modification time before and after a change: simulate that by putting
    // the old time back.
    const CTempFolder temp;
    temp.WriteFile("Long File Name.txt", "x");
    struct stat before;
    ASSERT_EQ(stat(temp.Path().c_str(), &before), 0);
    std::string alias;
    ASSERT_TRUE(GetShortName(temp / "Long File Name.txt", alias));
    EXPECT_EQ(alias, "LONGFI~1.TXT");

    temp.WriteFile("Long File Aaa.txt", "x");
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, temp.Path().c_str(), times, 0), 0);

    ASSERT_TRUE(GetShortName(temp / "Long File Name.txt", alias));
    EXPECT_EQ(alias, "LONGFI~2.TXT");
    ASSERT_TRUE(GetShortName(temp / "Long File Aaa.txt", alias));
    EXPECT_EQ(alias, "LONGFI~1.TXT");
}

TEST(ShortNameFiles, ReadFolderFillsAlternateNamesWhenAsked) {
    const CTempFolder temp;
    temp.WriteFile("Long File Name.txt", "x");
    temp.WriteFile("README.TXT", "x");
    temp.MakeFolder(".config folder");
    std::vector<CFindRecord> records;
    int error = -1;
    ASSERT_TRUE(platform::ReadFolder(temp.Path(), records, error, true));
    EXPECT_EQ(error, 0);
    ASSERT_EQ(records.size(), 3u);
    for (const auto& record : records) {
        if (record.cFileName == "Long File Name.txt") {
            EXPECT_EQ(record.cAlternateFileName, "LONGFI~1.TXT");
        } else if (record.cFileName == "README.TXT") {
            EXPECT_EQ(record.cAlternateFileName, "");
        } else {
            EXPECT_EQ(record.cFileName, ".config folder");
            EXPECT_EQ(record.cAlternateFileName, "CONFIG~1");
        }
    }
    ASSERT_TRUE(platform::ReadFolder(temp.Path(), records, error, false));
    ASSERT_EQ(records.size(), 3u);
    for (const auto& record : records) {
        EXPECT_EQ(record.cAlternateFileName, "") << record.cFileName;
    }
}
