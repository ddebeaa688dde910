// SPDX-License-Identifier: GPL-3.0-or-later
#include "TagExpanderTestFixture.h"
#include "engine/ComputationContext.h"
#include "engine/TagCommands.h"
#include "engine/TagFunctions.h"
#include "platform/FileTime.h"
#include "platform/Utf8.h"
#include "resources/StringTable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using tagtest::MakeEntry;
using tagtest::TagExpanderTest;

const std::string kErrorText = "<ONJUIST COMMANDO>";

/// Sets the last write and last access times of a file (seconds since 1970,
/// negative for earlier times).
bool SetFileTimes(const std::string& path, int64_t modified, int64_t accessed) {
    struct timespec times[2] = {};
    times[0].tv_sec = static_cast<time_t>(accessed);
    times[1].tv_sec = static_cast<time_t>(modified);
    return utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

uint64_t FileTimeOf(int year, int month, int day, int hour, int minute, int second, int ms) {
    platform::CCalendarTime c;
    c.year = year;
    c.month = month;
    c.day = day;
    c.hour = hour;
    c.minute = minute;
    c.second = second;
    c.milliseconds = ms;
    uint64_t fileTime = 0;
    EXPECT_TRUE(platform::CalendarToFileTime(c, fileTime));
    return fileTime;
}

/// Sets an environment variable for the life of the object.
class CScopedEnvironment {
public:
    CScopedEnvironment(const char* name, const char* value) : key(name) {
        if (const char* old = std::getenv(name)) {
            saved = old;
            hadValue = true;
        }
        setenv(name, value, 1);
        tzset();
    }
    ~CScopedEnvironment() {
        if (hadValue) {
            setenv(key, saved.c_str(), 1);
        } else {
            unsetenv(key);
        }
        tzset();
    }
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

private:
    const char* key;
    std::string saved;
    bool hadValue = false;
};

/// A whole folder path as the path column tag gives it.
std::string SafePath(const std::string& path) {
    return tags::MakePathPieceSafe(path);
}

} // namespace

// ---------------------------------------------------------------------------
// Tag syntax

class TagSyntaxTest : public TagExpanderTest {};

TEST_F(TagSyntaxTest, CopiesTextWithoutTagsAndLoneClosingBrackets) {
    temp.WriteFile("photo.jpg");
    Open();
    ExpectExpansions({
        {"photo.jpg", "plain text", "plain text"},
        {"photo.jpg", "a > b", "a > b"},
        {"photo.jpg", "", ""},
        {"photo.jpg", "x<C:1>y>z", "xphotoy>z"},
    });
}

TEST_F(TagSyntaxTest, AnUnclosedBracketMakesTheWholeTextTheErrorText) {
    temp.WriteFile("photo.jpg");
    Open();
    EXPECT_EQ(core.GetTagExpander().ErrorText(), kErrorText);
    EXPECT_EQ(Expand("photo.jpg", "name<N"), kErrorText);
    EXPECT_EQ(Expand("photo.jpg", "<C:1>-<N>-<"), kErrorText);
}

TEST_F(TagSyntaxTest, EmptyUnknownAndBlankPaddedCommandsGiveNothing) {
    temp.WriteFile("photo.jpg");
    Open();
    State().counter = 7;
    State().zeroFill = 0;
    ExpectExpansions({
        {"photo.jpg", "[<>]", "[]"},
        {"photo.jpg", "[< N >]", "[]"},
        {"photo.jpg", "[<N >]", "[]"},
        {"photo.jpg", "[<NOPE:1>]", "[]"},
        {"photo.jpg", "[<:N>]", "[]"},
    });
}

TEST_F(TagSyntaxTest, CommandWordsIgnoreCase) {
    temp.WriteFile("photo.jpg");
    Open();
    State().counter = 7;
    State().zeroFill = 0;
    EXPECT_EQ(Expand("photo.jpg", "<N>|<n>|<Number>|<nUmBeR>"), "7|7|7|7");
    EXPECT_EQ(Expand("photo.jpg", "<col:1>|<Col:1>|<c:1>"), "photo|photo|photo");
}

TEST_F(TagSyntaxTest, TheFirstClosingBracketEndsATagAndResultsAreNotScannedAgain) {
    temp.WriteFile("a.txt");
    Open();
    // "<" inside a tag belongs to its content: "<x<N>" is the unknown command "X<N".
    EXPECT_EQ(Expand("a.txt", "<x<N>>"), ">");
    // A tag whose result holds a tag: the result is inserted as it is.
    temp.WriteFile("song.mp3");
    Open();
    CMp3Info info;
    info.title = "Take <N> and <C:1";
    media.mp3["song.mp3"] = info;
    EXPECT_EQ(Expand("song.mp3", "<MP3:T>!"), "Take <N> and <C:1!");
}

TEST_F(TagSyntaxTest, AnEmptyParameterEndsTheList) {
    temp.WriteFile("big.bin");
    Open();
    std::filesystem::resize_file(temp / "big.bin", 5000);
    Open();
    ExpectExpansions({
        {"big.bin", "<C:2:K>", "4"},
        {"big.bin", "<C:2::K>", "5000"},
        {"big.bin", "<C:2:,::K>", "5,000"},
    });
}

// ---------------------------------------------------------------------------
// Number tag

class NumberTagTest : public TagExpanderTest {
protected:
    std::string Number(int32_t counter, const std::string& tag) {
        State().counter = counter;
        return core.GetTagExpander().EvaluateTag(tag);
    }

    /// A tag, evaluated with the autonumber at counter, and what it gives.
    struct CNumberCase {
        int32_t counter;
        std::string tag;
        std::string expected;
    };
    void ExpectNumbers(const std::vector<CNumberCase>& cases) {
        for (const CNumberCase& c : cases) {
            SCOPED_TRACE(c.tag + " of " + std::to_string(c.counter));
            EXPECT_EQ(Number(c.counter, c.tag), c.expected);
        }
    }
};

TEST_F(NumberTagTest, WithoutABaseRepeatsTheAutonumber) {
    State().base = AutonumberBase::Hex;
    State().zeroFill = 3;
    ExpectNumbers({
        {26, "N", "001A"},
        {26, "N:Z0", "1A"},   // the page's base stays
        {26, "N:Z200", "1A"}, // beyond 128 counts as 0
        {26, "N:Z-1", "1A"},
    });
    State().base = AutonumberBase::Letters;
    EXPECT_EQ(Number(28, "N"), "AB");
    State().base = AutonumberBase::Manual;
    State().manualDigits = "xy";
    EXPECT_EQ(Number(3, "NUMBER"), "xx");
}

TEST_F(NumberTagTest, ZeroFillCountsTheZerosOfAOneDigitNumber) {
    State().base = AutonumberBase::Dec;
    State().zeroFill = 0;
    ExpectNumbers({
        {7, "N:Z4", "00007"},
        {12345, "N:Z4", "12345"},
        {1234, "N:Z4", "01234"},
        {5, "N:Z1", "05"},
        {-7, "N:Z2", "-007"},
        {7, "N:z2", "007"},
        {7, "N:Z2:Z0", "7"}, // the later one wins
    });
}

TEST_F(NumberTagTest, AnExplicitBaseWritesCapitalsAndKeepsTheSignInFront) {
    State().zeroFill = 0;
    ExpectNumbers({
        {26, "N:B16:Z4", "0001A"},
        {-26, "N:B16:Z4", "-0001A"},
        {35, "N:B36", "Z"},
        {71, "N:b36", "1Z"},
        {5, "N:B2", "101"},
        {std::numeric_limits<int32_t>::min(), "N:B16", "-80000000"},
    });
}

TEST_F(NumberTagTest, ABaseOutsideTheRangeGivesPlainDecimal) {
    State().zeroFill = 4;
    ExpectNumbers({
        {26, "N:B1:Z4", "26"},
        {26, "N:B37:Z4", "26"},
        {-26, "N:B0", "-26"},
        {26, "N:B", "26"},
        {26, "N:B16:B99", "26"},
    });
}

// ---------------------------------------------------------------------------
// Column tag

class ColumnTagTest : public TagExpanderTest {};

TEST_F(ColumnTagTest, NameColumnGivesTheBaseNameOrTheShownName) {
    temp.WriteFile("Holiday photo.jpeg");
    Open();
    ExpectExpansions({
        {"Holiday photo.jpeg", "<C:1>", "Holiday photo"},
        {"Holiday photo.jpeg", "<C:1:E>", "Holiday photo.jpeg"},
        {"Holiday photo.jpeg", "<C:1:ext>", "Holiday photo.jpeg"},
        {"Holiday photo.jpeg", "[<C:1:X>]", "[]"},
    });
}

TEST_F(ColumnTagTest, APositionThatNamesNoColumnGivesNothing) {
    temp.WriteFile("a.txt");
    Open();
    EXPECT_EQ(Expand("a.txt", "[<C>|<C:%>|<C:0>|<C:10>|<C:-1>|<C:x1>]"), "[|||||]");
    EXPECT_EQ(Expand("a.txt", "<C:01>"), "a");
}

TEST_F(ColumnTagTest, FollowsTheColumnOrder) {
    temp.WriteFile("report.txt", "12345");
    Open();
    EXPECT_EQ(Expand("report.txt", "<C:1>/<C:2>/<C:5>"), "report/5/txt");
    // The user drags "Ext" to the front and "Bestand" to the second place.
    ASSERT_TRUE(Catalogue().SetColumnOrder({4, 0, 1, 2, 3, 5, 6, 7, 8}));
    EXPECT_EQ(Expand("report.txt", "<C:1>/<C:2>/<C:3>"), "txt/report/5");
    ASSERT_TRUE(Catalogue().SetColumnOrder({8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(Expand("report.txt", "<C:9>|<C:5>"), "report|txt");
}

TEST_F(ColumnTagTest, SizeInBytesKibOrMibWithGrouping) {
    temp.WriteFile("s999", std::string(999, 'x'));
    temp.WriteFile("s1000", std::string(1000, 'x'));
    temp.WriteFile("s1023", std::string(1023, 'x'));
    temp.WriteFile("s5m");
    std::filesystem::resize_file(temp / "s5m", 5000000);
    Open();
    ExpectExpansions({
        {"s999", "<C:2:,>", "999"},
        {"s1000", "<C:2:,>", "1,000"},
        {"s1000", "<C:2:.>", "1.000"},
        {"s1023", "<C:2:K>", "0"},
        {"s5m", "<C:2>", "5000000"},
        {"s5m", "<C:2:K:.>", "4.882"},
        {"s5m", "<C:2:k:,>", "4,882"},
        {"s5m", "<C:2:M>", "4"},
        {"s5m", "<C:2:K:M>", "4"},         // the later unit wins
        {"s5m", "<C:2:M:K:,:.>", "4.882"}, // and the later separator
        {"s5m", "<C:2:KB:x>", "5000000"},  // others are skipped
    });
}

TEST_F(ColumnTagTest, SizesAboveFourGibibytesKeepAllSixtyFourBits) {
    const std::string big = temp.WriteFile("sparse.img");
    std::filesystem::resize_file(big, 5ull * 1024 * 1024 * 1024 + 123);
    Open();
    ExpectExpansions({
        {"sparse.img", "<C:2>", "5368709243"},
        {"sparse.img", "<C:2:,>", "5,368,709,243"},
        {"sparse.img", "<C:2:K>", "5242880"},
        {"sparse.img", "<C:2:K:.>", "5.242.880"},
        {"sparse.img", "<C:2:M:,>", "5,120"},
    });
    // An entry far beyond what any disk holds.
    const CFileEntry huge = MakeEntry(temp.Path(), "huge", 18446744073709551615ull);
    EXPECT_EQ(ExpandEntry(huge, "<C:2:,>"), "18,446,744,073,709,551,615");
}

TEST_F(ColumnTagTest, SizeAndTimesOfAFileGoneSinceTheListingAreEmpty) {
    const CFileEntry gone(CSharedFolder(temp.Path()), "gone.txt",
                          platform::EntryType::File);
    EXPECT_EQ(ExpandEntry(gone, "[<C:2>|<C:2:K:,>]"), "[|]");
    EXPECT_EQ(ExpandEntry(gone, "[<C:7>|<C:8:H>|<C:9:Y2>]"), "[||]");
    EXPECT_EQ(ExpandEntry(gone, "[<C:4>]"), "[N]"); // what the listing told
}

TEST_F(ColumnTagTest, TypeColumnLooksUpEveryTypeNameOnce) {
    temp.WriteFile("a.txt");
    temp.WriteFile("b.png");
    temp.WriteFile("c.pdf");
    Open();
    EXPECT_EQ(typeNames.calls, 0);
    // A row's tag looks up that row's type only (a row computed on its own
    // must not look up the types of a whole list), and each type once.
    EXPECT_EQ(Expand("b.png", "<C:3>"), "type of b.png");
    EXPECT_EQ(typeNames.calls, 1);
    EXPECT_EQ(Expand("b.png", "<C:3>"), "type of b.png");
    EXPECT_EQ(typeNames.calls, 1);
    EXPECT_EQ(Expand("c.pdf", "<C:3>"), "type of c.pdf");
    EXPECT_EQ(typeNames.calls, 2);
    EXPECT_EQ(Expand("a.txt", "<C:3>"), "type of a.txt");
    EXPECT_EQ(Expand("c.pdf", "<C:3>"), "type of c.pdf");
    EXPECT_EQ(typeNames.calls, 3);
}

TEST_F(ColumnTagTest, AttributeAndExtensionColumnsGiveTheShownText) {
    const std::string path = temp.WriteFile("locked.Dat");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    Open();
    EXPECT_EQ(Expand("locked.Dat", "<C:4>"), Catalogue().GetRowCellText(RowOf("locked.Dat"), 3));
    EXPECT_NE(Expand("locked.Dat", "<C:4>").find('R'), std::string::npos);
    EXPECT_EQ(Expand("locked.Dat", "<C:5>"), "Dat");
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
}

TEST_F(ColumnTagTest, PathColumnSelectsFolderNamesOfDeepFolders) {
    temp.WriteFile("a/b/c/file.txt");
    Open(temp / "a/b/c");
    const std::string tempName = std::filesystem::path(temp.Path()).parent_path().filename();
    const std::string whole = temp.Path() + "a/b/c/";
    EXPECT_EQ(Expand("file.txt", "<C:6>"), SafePath(whole));
    EXPECT_EQ(Expand("file.txt", "<C:6:0>"), Expand("file.txt", "<C:6>"));
    EXPECT_EQ(Expand("file.txt", "<C:6:x>"), Expand("file.txt", "<C:6>"));
    ExpectExpansions({
        {"file.txt", "<C:6:-1>", "c"},
        {"file.txt", "<C:6:-2>", "b"},
        {"file.txt", "<C:6:-3>", "a"},
    });
    EXPECT_EQ(Expand("file.txt", "<C:6:-4>"), tempName);

    // Counting from the left: the first name after the root "/".
    std::vector<std::string> names;
    for (const auto& part : std::filesystem::path(whole)) {
        if (part != "/" && !part.empty()) {
            names.push_back(part.string());
        }
    }
    const int count = static_cast<int>(names.size());
    for (int n = 1; n <= count; ++n) {
        EXPECT_EQ(Expand("file.txt", "<C:6:" + std::to_string(n) + ">"),
                  names[static_cast<std::size_t>(n - 1)])
            << n;
        EXPECT_EQ(Expand("file.txt", "<C:6:" + std::to_string(-n) + ">"),
                  names[static_cast<std::size_t>(count - n)])
            << -n;
    }
    EXPECT_EQ(Expand("file.txt", "[<C:6:" + std::to_string(count + 1) + ">]"), "[]");
    EXPECT_EQ(Expand("file.txt", "[<C:6:" + std::to_string(-count - 1) + ">]"), "[]");
    EXPECT_EQ(Expand("file.txt", "[<C:6:2147483647>|<C:6:-2147483648>]"), "[|]");
}

TEST_F(ColumnTagTest, PathColumnOnTheRootAndWithUnsafeCharacters) {
    const CFileEntry atRoot = MakeEntry("/", "vmlinuz");
    EXPECT_EQ(ExpandEntry(atRoot, "<C:6>"), "_");
    EXPECT_EQ(ExpandEntry(atRoot, "[<C:6:1>]"), "[]");
    EXPECT_EQ(ExpandEntry(atRoot, "[<C:6:-1>]"), "[]");
    const CFileEntry deep = MakeEntry("/photos/2004/", "x.jpg");
    EXPECT_EQ(ExpandEntry(deep, "<C:6>"), "_photos_2004_");
    EXPECT_EQ(ExpandEntry(deep, "<C:6:1>|<C:6:2>|[<C:6:3>]"), "photos|2004|[]");
    EXPECT_EQ(ExpandEntry(deep, "<C:6:-1>|<C:6:-2>|[<C:6:-3>]"), "2004|photos|[]");
    const CFileEntry odd = MakeEntry("/mnt/c:\\data/a:b/", "y");
    EXPECT_EQ(ExpandEntry(odd, "<C:6>"), "_mnt_c._data_a.b_");
    EXPECT_EQ(ExpandEntry(odd, "<C:6:2>"), "c._data");
    EXPECT_EQ(ExpandEntry(odd, "<C:6:-1>"), "a.b");
}

TEST_F(ColumnTagTest, DateColumnsBeforeNineteenSeventyAndAfterTwoThousandThirtyEight) {
    const std::string path = temp.WriteFile("old.txt");
    // Last write 1938-04-24 22:13:20 UTC (a Sunday), last access
    // 2100-01-01 13:01:01 UTC (a Friday).
    ASSERT_TRUE(SetFileTimes(path, -1000000000, 4102444800 + 13 * 3600 + 61));
    Open();
    ExpectExpansions({
        {"old.txt", "<C:8>", "19380424"},
        {"old.txt", "<C:8:H>'<C:8:MM>'<C:8:S> <C:8:DOW> <C:8:Y2>", "22'13'20 0 38"},
        {"old.txt", "<C:9>", "21000101"},
        {"old.txt", "<C:9:HR>:<C:9:MMR>:<C:9:SR> <C:9:DOW> <C:9:Y2>", "13:1:1 5 00"},
    });
}

TEST_F(ColumnTagTest, DateColumnsUseTheirOwnFileTimeWithoutTimeZone) {
    const CScopedEnvironment zone("TZ", "XYZ-5");
    CFileEntry entry = MakeEntry("/data/", "e.txt");
    CEntryFacts facts = entry.Facts();
    facts.creationTime = FileTimeOf(1601, 1, 1, 0, 0, 0, 0);
    facts.lastWriteTime = FileTimeOf(2004, 7, 9, 23, 59, 58, 7);
    facts.lastAccessTime = FileTimeOf(30827, 12, 31, 23, 59, 59, 999);
    entry.SetFacts(facts);
    EXPECT_EQ(ExpandEntry(entry, "<C:7>|<C:7:DOW>"), "16010101|1");
    EXPECT_EQ(ExpandEntry(entry, "<C:8>|<C:8:H>|<C:8:MS>|<C:8:MSR>"), "20040709|23|0007|7");
    EXPECT_EQ(ExpandEntry(entry, "<C:9>|<C:9:Y2>|<C:9:YR>"), "308271231|27|30827");
    facts.lastAccessTime = 0x8000000000000000ull; // no calendar form
    entry.SetFacts(facts);
    EXPECT_EQ(ExpandEntry(entry, "[<C:9>|<C:9:Y>]"), "[|]");
    EXPECT_EQ(ExpandEntry(entry, "[<C:8:Q>]"), "[]");
}

// ---------------------------------------------------------------------------
// Date of the computation

class DateTagTest : public TagExpanderTest {
protected:
    void SetUp() override {
        platform::CCalendarTime& t = State().timeStamp;
        t.year = 2026;
        t.month = 12;
        t.day = 7;
        t.dayOfWeek = 1;
        t.hour = 11;
        t.minute = 8;
        t.second = 40;
        t.milliseconds = 123;
    }
    std::string Date(const std::string& text) { return core.ExpandRuleText(text); }

    /// Each rule text and what it gives at the time stamp above.
    void ExpectDates(const std::vector<std::pair<std::string, std::string>>& cases) {
        for (const auto& [text, expected] : cases) {
            SCOPED_TRACE(text);
            EXPECT_EQ(Date(text), expected);
        }
    }
};

TEST_F(DateTagTest, FormatsEveryField) {
    ExpectDates({
        {"<D>", "20261207"},
        {"<TODAY>", "20261207"},
        {"<D:D>-<D:M>-<D:Y> <D:H>'<D:MM>'<D:S>", "07-12-2026 11'08'40"},
        {"<D:Y2>|<D:MS>|<D:DOW>", "26|0123|1"},
        {"<D:YR>|<D:MR>|<D:DR>|<D:HR>|<D:MMR>|<D:SR>|<D:MSR>", "2026|12|7|11|8|40|123"},
    });
}

TEST_F(DateTagTest, FormatsIgnoreCaseAndUnknownOnesGiveNothing) {
    EXPECT_EQ(Date("<D:y2>"), Date("<D:Y2>"));
    ExpectDates({
        {"<d:mm>|<D:dow>", "08|1"},
        {"[<D:Q>|<D:YY>|<D:M >]", "[||]"},
        {"<D::Y>", "20261207"}, // an empty format is none
    });
}

TEST_F(DateTagTest, TheComputationTakesOneTimeStampLocalOrUtc) {
    temp.WriteFile("a.txt");
    temp.WriteFile("b.txt");
    Open();
    const CScopedEnvironment zone("TZ", "XYZ-3"); // three hours east of UTC, no summer time
    platform::SetClockForTests(FileTimeOf(2026, 12, 7, 23, 30, 15, 250));
    CRenameOptions& options = core.GetOptions();
    options.name.replaceWithOn = true;
    options.name.replaceWithText = "<D> <D:H>-<D:MM>-<D:S> <D:DOW> <C:1>";

    core.GetSwitches().insertDateAsUtc = true;
    core.ComputeNewNames(true);
    ASSERT_EQ(core.GetPreviewTexts().GetRowCount(), 2u);
    EXPECT_EQ(core.GetPreviewText(0), "20261207 23-30-15 1 a.txt");
    EXPECT_EQ(core.GetPreviewText(1), "20261207 23-30-15 1 b.txt");

    core.GetSwitches().insertDateAsUtc = false;
    core.ComputeNewNames(true);
    EXPECT_EQ(core.GetPreviewText(0), "20261208 02-30-15 2 a.txt");
    EXPECT_EQ(core.GetPreviewText(1), "20261208 02-30-15 2 b.txt");
    platform::SetClockForTests(0);
}

// ---------------------------------------------------------------------------
// Random tag

class RandomTagTest : public TagExpanderTest {
protected:
    std::string Random(const std::string& tag) { return core.GetTagExpander().EvaluateTag(tag); }
    /// Each tag and the length of the random text it gives.
    void ExpectLengths(const std::vector<std::pair<std::string, std::size_t>>& cases) {
        for (const auto& [tag, length] : cases) {
            SCOPED_TRACE(tag);
            EXPECT_EQ(Random(tag).size(), length);
        }
    }
    static bool AllFrom(const std::string& text, const std::string& alphabet) {
        return text.find_first_not_of(alphabet) == std::string::npos;
    }
    const std::string defaultAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz";
};

TEST_F(RandomTagTest, LengthDefaultsAndLimits) {
    ExpectLengths({
        {"R", 8},
        {"RANDOM", 8},
        {"R:S4", 4},
        {"R:s1", 1},
        {"R:S0", 8},
        {"R:S-3", 8},
        {"R:Sx", 8},
        {"R:S", 8}, // an S alone is skipped
        {"R:S4:S", 4},
        {"R:S128", 128},
        {"R:S999", 128},
        {"R:S99999999999", 128},
    });
    EXPECT_TRUE(AllFrom(Random("R:S128"), defaultAlphabet));
}

TEST_F(RandomTagTest, AlphabetsAreCharactersNotBytes) {
    const std::string digits = Random("R:C0123456789");
    EXPECT_EQ(digits.size(), 8u);
    EXPECT_TRUE(AllFrom(digits, "0123456789"));
    EXPECT_TRUE(AllFrom(Random("R:C:S20"), defaultAlphabet));
    EXPECT_EQ(Random("R:Cx:S5"), "xxxxx");
    EXPECT_EQ(Random("R:S3:cab:Cz"), "zzz");

    const std::string accented = Random("R:CäöüΩ:S50");
    EXPECT_TRUE(utf8::IsValid(accented));
    EXPECT_EQ(utf8::CountChars(accented), 50u);
    std::set<std::string> seen;
    for (std::size_t pos = 0; pos < accented.size();) {
        const std::size_t length = utf8::CharLength(accented, pos);
        seen.insert(accented.substr(pos, length));
        pos += length;
    }
    EXPECT_TRUE(std::includes(std::set<std::string>{"ä", "ö", "ü", "Ω"}.begin(),
                              std::set<std::string>{"ä", "ö", "ü", "Ω"}.end(), seen.begin(),
                              seen.end()));
    EXPECT_GE(seen.size(), 3u);
}

TEST_F(RandomTagTest, TheSameSeedGivesTheSameTexts) {
    SeedTagRandom(42);
    const std::string first = Random("R:S32");
    const std::string second = Random("R:S32");
    EXPECT_NE(first, second);
    SeedTagRandom(42);
    EXPECT_EQ(Random("R:S32"), first);
    EXPECT_EQ(Random("R:S32"), second);
}

TEST_F(RandomTagTest, TheGeneratorGivesFifteenBitValues) {
    SeedTagRandom(1);
    // The classic C library generator from seed 1.
    EXPECT_EQ(tags::NextTagRandom(), 41u);
    EXPECT_EQ(tags::NextTagRandom(), 18467u);
    EXPECT_EQ(tags::NextTagRandom(), 6334u);
    uint32_t highest = 0;
    for (int i = 0; i < 100000; ++i) {
        highest = std::max(highest, tags::NextTagRandom());
    }
    EXPECT_LE(highest, 32767u);
    EXPECT_GT(highest, 32000u);
}

// ---------------------------------------------------------------------------
// RA, T and CDR

class SmallTagsTest : public TagExpanderTest {};

TEST_F(SmallTagsTest, RaIsNotImplemented) {
    EXPECT_EQ(core.ExpandRuleText("<RA>|<ra:5:6>"), "[NOT IMPLEMENTED YET]|[NOT IMPLEMENTED YET]");
}

TEST_F(SmallTagsTest, EditorLineFollowsTheComputedEntries) {
    temp.WriteFile("a.txt");
    temp.WriteFile("b.txt");
    temp.WriteFile("c.txt");
    Open();
    frontEnd.editorLines = {"first", "second"};
    CRenameOptions& options = core.GetOptions();
    options.name.replaceWithOn = true;
    options.name.replaceWithText = "<T>";
    core.ComputeNewNames(true);
    ASSERT_EQ(core.GetPreviewTexts().GetRowCount(), 3u);
    EXPECT_EQ(core.GetPreviewText(0), "first.txt");
    EXPECT_EQ(core.GetPreviewText(1), "second.txt");
    EXPECT_EQ(core.GetPreviewText(2), ".txt"); // the editor holds two lines

    frontEnd.hasEditor = false;
    core.ComputeNewNames(true);
    EXPECT_EQ(core.GetPreviewText(0), ".txt");
}

TEST_F(SmallTagsTest, EditorLineIsCutAt260Characters) {
    std::string line;
    for (int i = 0; i < 300; ++i) {
        line += "é";
    }
    frontEnd.editorLines = {line};
    State().computedCount = 0;
    const std::string text = core.ExpandRuleText("<T>");
    EXPECT_TRUE(utf8::IsValid(text));
    EXPECT_EQ(utf8::CountChars(text), 260u);
}

TEST_F(SmallTagsTest, ComicArchiveExtensions) {
    for (const char* name : {"a.ZIP", "b.rar", "c.cbz", "d.CBR", "e.txt", "f"}) {
        temp.WriteFile(name);
    }
    Open();
    ExpectExpansions({
        {"a.ZIP", "<CDR>", "cbz"},
        {"b.rar", "<CDR>", "cbr"},
        {"c.cbz", "<CDR>", "cbz"},
        {"d.CBR", "<CDR:x>", "CBR"},
        {"c.cbz", "<CDR:U>", "zip"},
        {"d.CBR", "<CDR:u>", "rar"},
        {"a.ZIP", "<CDR:U>", "ZIP"},
        {"e.txt", "<CDR>|<CDR:U>", "txt|txt"},
        {"f", "[<CDR>]", "[]"},
    });
}

// ---------------------------------------------------------------------------
// CRC tag

class CrcTagTest : public TagExpanderTest {};

TEST_F(CrcTagTest, WritesEightHexadecimalDigits) {
    temp.WriteFile("check.txt", "123456789");
    temp.WriteFile("empty.txt");
    temp.WriteFile("a.txt", "a"); // CRC 0xE8B7BE43
    temp.MakeFolder("folder");
    Open();
    ExpectExpansions({
        {"check.txt", "[<CRC32>]", "[CBF43926]"},
        {"check.txt", "[<crc32:l>]", "[cbf43926]"},
        {"check.txt", "[<CRC32:x>]", "[CBF43926]"},
        {"empty.txt", "[<CRC32>]", "[00000000]"},
        {"a.txt", "<CRC32>", "E8B7BE43"},
        {"folder", "[<CRC32>]", "[]"},
    });
    const CFileEntry missing = MakeEntry(temp.Path(), "missing.bin");
    EXPECT_EQ(ExpandEntry(missing, "[<CRC32>]"), "[]");
}

TEST_F(CrcTagTest, ACancelLeavesTheLaterTagsUnexpanded) {
    temp.WriteFile("large.bin", std::string(100000, 'z'));
    Open();
    ASSERT_TRUE(Select("large.bin"));
    State().counter = 5;
    State().progressShown = true; // the progress bar is open
    frontEnd.cancel = true;
    EXPECT_EQ(core.ExpandRuleText("<C:1>-<CRC32>-<N>-<C:1"), "large--<N>-<C:1");
    EXPECT_TRUE(State().previewCancelled);
    EXPECT_EQ(frontEnd.cancelChecks, 1); // the reading stopped after the first block
    // Every later rule text of the cancelled row is copied as it is.
    EXPECT_EQ(core.ExpandRuleText("<N>"), "<N>");
    State().previewCancelled = false;
    State().progressShown = false;
}

TEST_F(CrcTagTest, ProgressWithoutCancelGoesOn) {
    temp.WriteFile("large.bin", std::string(100000, 'z'));
    Open();
    ASSERT_TRUE(Select("large.bin"));
    State().progressShown = true;
    EXPECT_EQ(core.ExpandRuleText("<CRC32>").size(), 8u);
    EXPECT_EQ(frontEnd.cancelChecks, 4); // three full blocks and the short last one
    EXPECT_FALSE(State().previewCancelled);
    State().progressShown = false;
}

// ---------------------------------------------------------------------------
// Short name tag

class ShortNameTagTest : public TagExpanderTest {};

TEST_F(ShortNameTagTest, GivesTheAliasOrItsParts) {
    temp.WriteFile("Long file name.jpeg");
    temp.WriteFile("README");
    temp.WriteFile("a.txt");
    Open();
    ExpectExpansions({
        {"Long file name.jpeg", "<SHORTNAME>", "LONGFI~1.JPE"},
        {"Long file name.jpeg", "<SHORTNAME:name>", "LONGFI~1"},
        {"Long file name.jpeg", "<shortname:EXT>", "JPE"},
        {"Long file name.jpeg", "<SHORTNAME:other>", "LONGFI~1.JPE"},
        {"a.txt", "<SHORTNAME>|<SHORTNAME:Name>", "a.txt|a"},
        {"README", "<SHORTNAME:Ext>|<SHORTNAME:name>", "README|README"},
    });
    const CFileEntry missing = MakeEntry(temp.Path(), "gone.txt");
    EXPECT_EQ(ExpandEntry(missing, "[<SHORTNAME>]"), "[]");
}

// ---------------------------------------------------------------------------
// Regular-expression tag

class RegexTagTest : public TagExpanderTest {
protected:
    void Mask(const std::string& expression) {
        State().maskText = expression;
        State().maskIsRegex = true;
    }
};

TEST_F(RegexTagTest, GivesTheNthMatchOrTheName) {
    temp.WriteFile("IMG_0042_v2.jpg");
    Open();
    Mask("[0-9]+");
    ExpectExpansions({
        {"IMG_0042_v2.jpg", "<REGEXP>", "0042"},
        {"IMG_0042_v2.jpg", "<REGEXP:0>", "0042"},
        {"IMG_0042_v2.jpg", "<regexp:2>", "2"},
        {"IMG_0042_v2.jpg", "<REGEXP:3>", "IMG_0042_v2.jpg"},
        {"IMG_0042_v2.jpg", "<REGEXP:-1>", "IMG_0042_v2.jpg"},
        {"IMG_0042_v2.jpg", "<REGEXP:x>", "0042"},
    });
}

TEST_F(RegexTagTest, IgnoresCaseAlsoBeyondAscii) {
    temp.WriteFile("Img_Café_IMG.txt");
    Open();
    Mask("img");
    EXPECT_EQ(Expand("Img_Café_IMG.txt", "<REGEXP>|<REGEXP:2>"), "Img|IMG");
    Mask("CAFÉ");
    EXPECT_EQ(Expand("Img_Café_IMG.txt", "<REGEXP>"), "Café");
    Mask("f.");
    EXPECT_EQ(Expand("Img_Café_IMG.txt", "<REGEXP>"), "fé"); // one character, two bytes
}

TEST_F(RegexTagTest, ABadExpressionGivesTheName) {
    temp.WriteFile("a1.txt");
    Open();
    Mask("[0-9");
    EXPECT_EQ(Expand("a1.txt", "<REGEXP>"), "a1.txt");
    Mask("(");
    EXPECT_EQ(Expand("a1.txt", "<REGEXP>"), "a1.txt");
}

TEST_F(RegexTagTest, EmptyMatchesDoNotHang) {
    temp.WriteFile("abc");
    Open();
    Mask("x*");
    ExpectExpansions({
        {"abc", "[<REGEXP>]", "[]"},
        {"abc", "[<REGEXP:4>]", "[]"},
        {"abc", "[<REGEXP:5>]", "[abc]"},
    });
}

TEST_F(RegexTagTest, OnlyARegularExpressionMaskKnowsTheTag) {
    temp.WriteFile("IMG_7.jpg");
    Open();
    State().maskText = "*.jpg";
    State().maskIsRegex = false;
    EXPECT_EQ(Expand("IMG_7.jpg", "[<REGEXP>]"), "[]");
}

TEST_F(RegexTagTest, TheComputationTakesTheMaskWithoutItsColon) {
    temp.WriteFile("IMG_0042_v2.jpg");
    temp.WriteFile("notes.txt");
    Catalogue().SetMask(":^img_[0-9]+");
    Open();
    ASSERT_EQ(Catalogue().GetRowCount(), 1);
    core.GetOptions().name.replaceWithOn = true;
    core.GetOptions().name.replaceWithText = "<REGEXP>";
    core.ComputeNewNames(true);
    EXPECT_EQ(core.GetPreviewText(0), "IMG_0042.jpg");
}

// ---------------------------------------------------------------------------
// Numbers in the name

class NameNumberTagTest : public TagExpanderTest {};

TEST_F(NameNumberTagTest, ExtractsTheNthNumberOfTheLongName) {
    for (const char* name : {"IMG_0042.jpg", "a1b2.jpg", "v1.25", "big99999999999.txt", "none"}) {
        temp.WriteFile(name);
    }
    Open();
    ExpectExpansions({
        {"IMG_0042.jpg", "<EN>", "42"},
        {"IMG_0042.jpg", "<EN:Z3>", "0042"},
        {"IMG_0042.jpg", "<EXTRACT_NUMBER:B16:Z200>", "2A"},
        {"IMG_0042.jpg", "<EN:B34>", "42"}, // 33 to 36 print in decimal
        {"a1b2.jpg", "<EN:I2>|[<EN:I3>]", "2|[]"},
        {"a1b2.jpg", "<EN:I0>|<EN:I-4>", "1|1"},
        {"v1.25", "<EN>|<EN:I2>", "1|25"},
        {"big99999999999.txt", "<EN>", "2147483647"},
        {"none", "[<EN>]", "[]"},
    });
}

TEST_F(NameNumberTagTest, ReformatsTheNumberInTheOwnNamePart) {
    for (const char* name : {"IMG_0042.jpg", "page7b.txt", "a1b2.jpg", "x.mp3"}) {
        temp.WriteFile(name);
    }
    Open();
    ExpectExpansions({
        {"IMG_0042.jpg", "<FN>", "IMG_42"},
        {"IMG_0042.jpg", "<FN:Z3>", "IMG_0042"},
        {"page7b.txt", "<FN:Z2>", "page007b"},
        {"page7b.txt", "<FORMAT_NUMBER:B2>", "page111b"},
        {"a1b2.jpg", "<FN:I3>", "a1b2"},
        {"a1b2.jpg", "<FN:I2:Z1>", "a1b02"},
    });

    // The extension block works on the extension, the name block on the
    // base name, whatever the text built so far.
    CRenameOptions& options = core.GetOptions();
    options.name.insertBeforeOn = true;
    options.name.insertBeforeText = "<FN:Z1>-";
    options.extension.replaceWithOn = true;
    options.extension.replaceWithText = "<FN:Z2>";
    core.ComputeNewNames(true);
    EXPECT_EQ(core.GetPreviewText(static_cast<std::size_t>(RowOf("x.mp3"))), "x-x.mp003");
    EXPECT_EQ(core.GetPreviewText(static_cast<std::size_t>(RowOf("page7b.txt"))),
              "page07b-page7b.txt");
}

// ---------------------------------------------------------------------------
// The pure functions

TEST(TagFunctionsTest, ParametersEndAtTheFirstEmptyOne) {
    tags::CTagParams params("a:bc::d");
    std::string_view param;
    ASSERT_TRUE(params.NextParam(param));
    EXPECT_EQ(param, "a");
    ASSERT_TRUE(params.NextParam(param));
    EXPECT_EQ(param, "bc");
    EXPECT_FALSE(params.NextParam(param));
    ASSERT_TRUE(params.NextParam(param)); // a reader that goes on finds the rest
    EXPECT_EQ(param, "d");
    EXPECT_FALSE(params.NextParam(param));
    tags::CTagParams trailing("x:");
    ASSERT_TRUE(trailing.NextParam(param));
    EXPECT_FALSE(trailing.NextParam(param));
}

TEST(TagFunctionsTest, FormatsNumbersLikeTheCLibrary) {
    const struct {
        int32_t value;
        int base;
        int zeroFill;
        std::string expected;
    } cases[] = {
        {7, 10, 4, "00007"},
        {-7, 10, 0, "-7"},
        {-7, 10, 2, "-007"},
        {-1, 16, 0, "FFFFFFFF"}, // the unsigned pattern
        {-1, 2, 0, std::string(32, '1')},
        {255, 32, 0, "7V"},
        {255, 33, 0, "255"},
        {255, 1, 0, "255"},
        {0, 10, 0, "0"},
        {std::numeric_limits<int32_t>::min(), 10, 0, "-2147483648"},
        {1, 10, 128, std::string(128, '0') + "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " base " + std::to_string(c.base) + " zero fill " +
                     std::to_string(c.zeroFill));
        EXPECT_EQ(tags::FormatNumber(c.value, c.base, c.zeroFill), c.expected);
    }
    EXPECT_EQ(tags::FormatUnsignedNumber(4294967296ull, 10, 0), "4294967296");
}

TEST(TagFunctionsTest, GroupsThousands) {
    const struct {
        std::string digits;
        char separator;
        std::string expected;
    } cases[] = {
        {"", ',', ""},
        {"123", ',', "123"},
        {"1234", ',', "1,234"},
        {"123456", ',', "123,456"},
        {"1234567", '.', "1.234.567"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.digits);
        EXPECT_EQ(tags::GroupThousands(c.digits, c.separator), c.expected);
    }
}

TEST(TagFunctionsTest, SplitsAtNumbers) {
    std::string before;
    std::string after;
    int32_t value = -1;
    EXPECT_TRUE(tags::SplitAtNthNumber("x007y12", 1, before, value, after));
    EXPECT_EQ(before, "x");
    EXPECT_EQ(value, 7);
    EXPECT_EQ(after, "y12");
    EXPECT_TRUE(tags::SplitAtNthNumber("x007y12", 2, before, value, after));
    EXPECT_EQ(before, "x007y");
    EXPECT_EQ(value, 12);
    EXPECT_EQ(after, "");
    EXPECT_FALSE(tags::SplitAtNthNumber("x007y12", 3, before, value, after));
    EXPECT_FALSE(tags::FindNthNumber("", 1, value));
    EXPECT_FALSE(tags::FindNthNumber("12", 0, value));
    EXPECT_TRUE(tags::FindNthNumber("-12", 1, value)); // signs are not part of numbers
    EXPECT_EQ(value, 12);
}

TEST(TagFunctionsTest, NormalisesExifDatesAsMktimeWould) {
    platform::CCalendarTime t;
    ASSERT_TRUE(tags::ExifDateToCalendar("2004:07:09 14:03:00", t));
    EXPECT_EQ(tags::FormatDateField(t, ""), "20040709");
    EXPECT_EQ(t.dayOfWeek, 5);
    ASSERT_TRUE(tags::ExifDateToCalendar("2004:07:32 24:60:61", t)); // every field rolls over
    EXPECT_EQ(tags::FormatDateField(t, "") + " " + tags::FormatDateField(t, "H") +
                  tags::FormatDateField(t, "MM") + tags::FormatDateField(t, "S"),
              "20040802 010101");
    EXPECT_EQ(t.dayOfWeek, 1);
    ASSERT_TRUE(tags::ExifDateToCalendar("2004:13:01 00:00:00", t));
    EXPECT_EQ(tags::FormatDateField(t, ""), "20050101");
    ASSERT_TRUE(tags::ExifDateToCalendar("2004:03:00 00:00:00", t)); // day 0: end of February
    EXPECT_EQ(tags::FormatDateField(t, ""), "20040229");
    ASSERT_TRUE(tags::ExifDateToCalendar("1900:02:29 00:00:00", t)); // 1900 has no 29 February
    EXPECT_EQ(tags::FormatDateField(t, ""), "19000301");
    ASSERT_TRUE(tags::ExifDateToCalendar("1950:06:15 08:00:00", t));
    EXPECT_EQ(tags::FormatDateField(t, "") + "/" + tags::FormatDateField(t, "DOW"), "19500615/4");
    ASSERT_TRUE(tags::ExifDateToCalendar("2100:02:28 23:59:60", t));
    EXPECT_EQ(tags::FormatDateField(t, ""), "21000301");
    ASSERT_TRUE(tags::ExifDateToCalendar("9999:12:31 23:59:59", t));
    EXPECT_FALSE(tags::ExifDateToCalendar("9999:12:31 23:59:60", t)); // year 10000
    EXPECT_FALSE(tags::ExifDateToCalendar("0000:00:00 00:00:00", t)); // no clock in the camera
    EXPECT_FALSE(tags::ExifDateToCalendar("2004:07:09 14:03", t));
    EXPECT_FALSE(tags::ExifDateToCalendar("2004:07:09 14:03:000", t));
    ASSERT_TRUE(tags::ExifDateToCalendar("2004-07-09T14.03.00", t)); // separators are not read
    EXPECT_EQ(tags::FormatDateField(t, ""), "20040709");
}

TEST(TagFunctionsTest, NormalisingDatesDoesNotDependOnTheTimeZone) {
    const CScopedEnvironment zone("TZ", "Europe/Amsterdam");
    platform::CCalendarTime t;
    // 02:30 on the night the clocks go forward does not exist in that zone;
    // the date of a picture stays as the camera wrote it.
    ASSERT_TRUE(tags::ExifDateToCalendar("2024:03:31 02:30:00", t));
    EXPECT_EQ(tags::FormatDateField(t, "H") + tags::FormatDateField(t, "MM"), "0230");
}

TEST(TagFunctionsTest, AbbreviatesColourDepths) {
    const struct {
        uint32_t bitsPerPixel;
        std::string expected;
    } cases[] = {
        {15, "32K"}, {16, "65K"}, {24, "16M"}, {32, "16M"},        {48, "48B"}, {1, "2"},
        {4, "16"},   {8, "256"},  {0, "1"},    {31, "2147483648"}, {33, "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bitsPerPixel);
        EXPECT_EQ(tags::ColourAbbreviation(c.bitsPerPixel), c.expected);
    }
}

TEST(TagFunctionsTest, WritesRealsWithAPointWhateverTheLocale) {
    const struct {
        double value;
        std::string expected;
    } cases[] = {
        {0.015625, "0.016"},
        {-2.5, "-2.500"},
        {0, "0.000"},
        {1e20, "100000000000000000000.000"},
        {std::numeric_limits<float>::max(), "340282346638528859811704183484516925440.000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(tags::FormatReal3(c.value), c.expected);
    }
}

// ---------------------------------------------------------------------------
// An expander on a context of its own, without a core

namespace {

/// A computation context with a plain catalogue, a state the test sets, an
/// editor of given lines and a progress step that cancels when told.
class CFakeContext : public CComputationContext {
public:
    CFileCatalogue catalogue;
    CComputationState state;
    std::vector<std::string> editorLines;
    bool cancel = false;
    int progressReports = 0;

    const CComputationState& GetState() const override { return state; }
    CFileCatalogue& GetCatalogue() override { return catalogue; }
    const CFileCatalogue& GetCatalogue() const override { return catalogue; }
    bool GetEditorLine(int index, std::string& line) override {
        if (index < 0 || static_cast<std::size_t>(index) >= editorLines.size()) {
            return false;
        }
        line = editorLines[static_cast<std::size_t>(index)];
        return true;
    }
    bool ReportTagProgress() override {
        ++progressReports;
        return cancel;
    }
};

TEST(TagExpanderContextTest, ReadsEverythingFromItsContext) {
    CTempFolder temp;
    temp.WriteFile("photo.jpg", std::string(100000, 'z'));
    CFakeContext context;
    AddDefaultColumns(context.catalogue);
    const CFileEntry entry = MakeEntry(temp.Path(), "photo.jpg", 100000);
    context.state.entry = &entry;
    context.state.namePart = true;
    context.state.counter = 42;
    context.state.computedCount = 1;
    context.editorLines = {"first", "second"};
    CTagExpander expander(context);

    EXPECT_EQ(expander.EvaluateTag("N"), "42");
    EXPECT_EQ(expander.EvaluateTag("C:1"), "photo");
    EXPECT_EQ(expander.EvaluateTag("T"), "second");
    // The menu text of a column tag names the column's display position.
    EXPECT_EQ(expander.TagTextForCommand(tagcommands::kCmdColumnFileName), "<C:1>");
    EXPECT_EQ(expander.TagTextForCommand(tagcommands::kCmdColumnType), "<C:3>");

    // A long reading reports its progress to the context, which may cancel.
    EXPECT_EQ(expander.EvaluateTag("CRC32").size(), 8u);
    EXPECT_EQ(context.progressReports, 4); // three full blocks and the short last one
    context.cancel = true;
    context.progressReports = 0;
    EXPECT_EQ(expander.EvaluateTag("CRC32"), "");
    EXPECT_EQ(context.progressReports, 1);
}

} // namespace
