// SPDX-License-Identifier: GPL-3.0-or-later
#include "TagExpanderTestFixture.h"

#include "catalogue/DefaultColumns.h"
#include "engine/RenameCore.h"
#include "engine/TagCommands.h"
#include "engine/TagExpander.h"
#include "platform/FileTime.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Texts = std::map<int, std::string>;

/// The five date submenus and the ids of their nine pictures, in menu order.
struct CDateMenu {
    const char* name;
    std::array<int, 9> ids;
};
const CDateMenu kDateMenus[] = {
    {"created", {32837, 32838, 32830, 32832, 32831, 32833, 32834, 32835, 32836}},
    {"modified", {32839, 32840, 32841, 32842, 32843, 32844, 32845, 32846, 32847}},
    {"accessed", {32848, 32849, 32850, 32851, 32852, 32853, 32854, 32855, 32856}},
    {"today", {32857, 32858, 32859, 32860, 32861, 32862, 32863, 32864, 32865}},
    {"EXIF", {32978, 32979, 32980, 32981, 32982, 32983, 32984, 32985, 32986}},
};

/// Every tag-menu entry outside the date submenus and the text it inserts
/// with the columns in their initial order (column index i shown at
/// position i + 1).
Texts NonDateTexts() {
    Texts texts = {
        // Autonumber.
        {32792, "<N>"},
        {32793, "<N:Z0>"},
        {32794, "<N:Z4>"},
        {32795, "<N:B16>"},
        {32796, "<N:B16:Z0>"},
        {32797, "<N:B16:Z4>"},
        {32798, "<N:B8>"},
        {32799, "<N:B8:Z0>"},
        {32800, "<N:B8:Z4>"},
        {32801, "<N:B2>"},
        {32802, "<N:B2:Z8>"},
        {32803, "<N:B16:Z8>"},
        // MP3.
        {32785, "<MP3:T>"},
        {32786, "<MP3:A>"},
        {32787, "<MP3:AL>"},
        {32938, "<MP3:G>"},
        {32789, "<MP3:Y>"},
        {32788, "<MP3:CM>"},
        {32939, "<MP3:TRK>"},
        {32930, "<MP3:B>"},
        {32937, "<MP3:BT>"},
        {32931, "<MP3:SR>"},
        {32932, "<MP3:L>"},
        {32933, "<MP3:S>"},
        {32934, "<MP3:C>"},
        {32935, "<MP3:MV>"},
        {32936, "<MP3:ML>"},
        // Images.
        {32804, "<G>"},
        {32805, "<G:W>x<G:H>x<G:c>"},
        {32806, "<G:W>"},
        {32807, "<G:H>"},
        {32808, "<G:c>"},
        {32809, "<G:C>"},
        {32810, "<G:B>"},
        // Data columns.
        {32811, "<C:1>"},
        {32824, "<C:5>"},
        {32825, "<C:3>"},
        {32826, "<C:4>"},
        {32812, "<C:2>"},
        {32815, "<C:2:.>"},
        {32813, "<C:2:,>"},
        {32818, "<C:2:K>"},
        {32819, "<C:2:K:.>"},
        {32820, "<C:2:K:,>"},
        {32821, "<C:2:M>"},
        {32822, "<C:2:M:.>"},
        {32823, "<C:2:M:,>"},
        {32827, "<C:6>"},
        {32987, "<C:6:1>"},
        {32988, "<C:6:-1>"},
        // Random names, text editor, comic reader, CRC-32, short names.
        {32866, "<R:S4>"},
        {32867, "<R>"},
        {32868, "<R:S16>"},
        {32940, "<R:C0123456789>"},
        {32888, "<T>"},
        {32897, "<CDR>"},
        {32898, "<CDR:U>"},
        {32945, "[<CRC32>]"},
        {32946, "[<CRC32:L>]"},
        {32991, "<SHORTNAME>"},
        {32992, "<SHORTNAME:Name>"},
        {32990, "<SHORTNAME:Ext>"},
    };
    const std::vector<std::string> exifFields = {
        "Version",        "CameraMake",      "CameraModel",     "Width",         "Height",
        "Orientation",    "IsColor",         "Process",         "FlashUsed",     "FocalLength",
        "ExposureTime",   "ApertureFNumber", "Distance",        "CCDWidth",      "ExposureBias",
        "Whitebalance",   "MeteringMode",    "ExposureProgram", "ISOequivalent", "CompressionLevel",
        "FocalplaneXRes", "FocalplaneYRes",  "FocalplaneUnits", "Xresolution",   "Yresolution",
        "ResolutionUnit", "Brightness",
    };
    for (std::size_t i = 0; i < exifFields.size(); ++i) {
        texts[32951 + static_cast<int>(i)] = "<E:" + exifFields[i] + ">";
    }
    return texts;
}

/// The id of every tag-menu entry.
std::set<int> AllMenuIds() {
    std::set<int> ids;
    for (const auto& [id, ignored] : NonDateTexts()) {
        ids.insert(id);
    }
    for (const CDateMenu& menu : kDateMenus) {
        ids.insert(menu.ids.begin(), menu.ids.end());
    }
    return ids;
}

/// Checks that text is literal text and tags that the tag scanner reads as
/// written: every "<" closed by a ">" before the next "<", a command the
/// expander knows, a column tag addressing a position of the list, and no
/// "%" left of a column template.
void ExpectWellFormedTags(const std::string& text) {
    static const std::set<std::string> commands = {"N",   "MP3",   "G",         "C", "R", "T",
                                                   "CDR", "CRC32", "SHORTNAME", "E", "D"};
    SCOPED_TRACE(text);
    EXPECT_EQ(text.find('%'), std::string::npos);
    int tags = 0;
    std::size_t pos = 0;
    while ((pos = text.find('<', pos)) != std::string::npos) {
        const std::size_t close = text.find('>', pos + 1);
        ASSERT_NE(close, std::string::npos) << "unclosed tag";
        const std::string content = text.substr(pos + 1, close - pos - 1);
        EXPECT_EQ(content.find('<'), std::string::npos) << "a tag inside a tag";
        const std::string command = content.substr(0, content.find(':'));
        EXPECT_EQ(commands.count(command), 1u) << "unknown command " << command;
        if (command == "C") {
            const std::string position = content.substr(2, content.find(':', 2) - 2);
            ASSERT_FALSE(position.empty());
            EXPECT_EQ(position.find_first_not_of("0123456789"), std::string::npos);
            EXPECT_GE(std::stoi(position), 1);
            EXPECT_LE(std::stoi(position), 9);
        }
        ++tags;
        pos = close + 1;
    }
    EXPECT_GE(tags, 1);
}

class TagMenuTextsTest : public ::testing::Test {
protected:
    // The file list's nine columns: column index i is at display position i
    // until the user drags one.
    TagMenuTextsTest() { AddDefaultColumns(core.GetCatalogue()); }

    std::string Text(int id) { return core.GetTagExpander().TagTextForCommand(id); }

    CRenameCore core;
};

TEST_F(TagMenuTextsTest, EveryEntryInsertsItsText) {
    ASSERT_EQ(AllMenuIds().size(), 134u);
    const Texts expected = NonDateTexts();
    ASSERT_EQ(expected.size(), 89u);
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(Text(id), text) << "command " << id;
    }
}

TEST_F(TagMenuTextsTest, NamedCommandsAreTheMenuIds) {
    using namespace tagcommands;
    EXPECT_EQ(Text(kCmdNumberBinZ16), "<N:B16:Z8>");
    EXPECT_EQ(Text(kCmdCrc32Upper), "[<CRC32>]");
    EXPECT_EQ(Text(kCmdCrc32Lower), "[<CRC32:L>]");
    EXPECT_EQ(Text(kCmdColumnSizeBytes), "<C:2>");
    EXPECT_EQ(Text(kCmdExifFirst), "<E:Version>");
    EXPECT_EQ(Text(kCmdExifWidth), "<E:Width>");
    EXPECT_EQ(Text(kCmdExifLast), "<E:Brightness>");
    EXPECT_EQ(Text(kCmdCreatedDates[0]), "<C:7>");
    EXPECT_EQ(Text(kCmdTodayDates[8]), "<D:D>-<D:M>-<D:Y> <D:H>'<D:MM>'<D:S>");
    EXPECT_EQ(Text(kCmdExifDates[3]), "<E:DateTime:D>-<E:DateTime:M>-<E:DateTime:Y2>");
}

TEST_F(TagMenuTextsTest, IdsOutsideTheTablesInsertNothing) {
    const std::set<int> menuIds = AllMenuIds();
    // Every id around the tag commands, the submenus and other commands of
    // the same menu resource among them, gives the empty text.
    for (int id = 32700; id <= 33100; ++id) {
        if (menuIds.count(id) == 0) {
            EXPECT_EQ(Text(id), "") << "command " << id;
        }
    }
    for (const int id : tagcommands::kTagSubmenus) {
        EXPECT_EQ(Text(id), "") << "submenu " << id;
    }
    EXPECT_EQ(Text(0), "");
    EXPECT_EQ(Text(-1), "");
    EXPECT_EQ(Text(2001), "");
    EXPECT_EQ(Text(32776), "");
}

TEST_F(TagMenuTextsTest, ColumnTagsFollowTheDisplayOrder) {
    // "Grootte" dragged to the first position: the others move one right.
    ASSERT_TRUE(core.GetCatalogue().SetColumnOrder({1, 0, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Text(32812), "<C:1>");
    EXPECT_EQ(Text(32823), "<C:1:M:,>");
    EXPECT_EQ(Text(32811), "<C:2>");
    EXPECT_EQ(Text(32824), "<C:5>");

    // All columns reversed: "Laatst geopend" comes first, "Bestand" last.
    ASSERT_TRUE(core.GetCatalogue().SetColumnOrder({8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(Text(32811), "<C:9>");
    EXPECT_EQ(Text(32827), "<C:4>");
    EXPECT_EQ(Text(32988), "<C:4:-1>");
    EXPECT_EQ(Text(32848), "<C:1>");
    EXPECT_EQ(Text(32836), "<C:3:D>-<C:3:M>-<C:3:Y> <C:3:H>'<C:3:MM>'<C:3:S>");
    // Tags that address no column do not change.
    EXPECT_EQ(Text(32857), "<D>");
    EXPECT_EQ(Text(32978), "<E:DateTime>");
}

/// A photo whose creation, last write, last access and EXIF date and the
/// computation's time stamp are each set to one of two moments.
class TagMenuDatesTest : public tagtest::TagExpanderTest {
protected:
    /// 7 March 2026, 09:05:04: one digit in the month, day, hour and minute.
    static platform::CCalendarTime Moment() {
        return {.year = 2026, .month = 3, .day = 7, .hour = 9, .minute = 5, .second = 4};
    }
    /// 28 November 1999, 22:47:59: different in every field.
    static platform::CCalendarTime OtherMoment() {
        return {.year = 1999, .month = 11, .day = 28, .hour = 22, .minute = 47, .second = 59};
    }
    static uint64_t FileTime(const platform::CCalendarTime& moment) {
        uint64_t fileTime = 0;
        EXPECT_TRUE(platform::CalendarToFileTime(moment, fileTime));
        return fileTime;
    }

    /// Gives the source of the named menu Moment() and every other source
    /// OtherMoment().
    void SetMoments(const std::string& menu) {
        const auto pick = [&menu](const char* name) {
            return menu == name ? Moment() : OtherMoment();
        };
        CEntryFacts facts;
        facts.creationTime = FileTime(pick("created"));
        facts.lastWriteTime = FileTime(pick("modified"));
        facts.lastAccessTime = FileTime(pick("accessed"));
        photo.SetFacts(facts);
        State().timeStamp = pick("today");
        CExifInfo exif;
        exif.exifPresent = 1;
        exif.dateTime = menu == "EXIF" ? "2026:03:07 09:05:04" : "1999:11:28 22:47:59";
        media.exif["photo.jpg"] = exif;
    }

    CFileEntry photo = tagtest::MakeEntry(temp.Path(), "photo.jpg");
};

TEST_F(TagMenuDatesTest, EveryPictureWritesTheDateOfItsOwnSubmenu) {
    // What the nine pictures of each submenu write for Moment().
    const std::array<std::string, 9> written = {
        "20260307", "2026-03-07",       "07-03-2026",          "07-03-26", "03-07-2026", "03-07-26",
        "09'05",    "07-03-2026 09'05", "07-03-2026 09'05'04",
    };
    for (const CDateMenu& menu : kDateMenus) {
        SetMoments(menu.name);
        for (std::size_t picture = 0; picture < menu.ids.size(); ++picture) {
            const std::string text = core.GetTagExpander().TagTextForCommand(menu.ids[picture]);
            SCOPED_TRACE(std::string(menu.name) + " " + std::to_string(menu.ids[picture]) + ": " +
                         text);
            EXPECT_EQ(ExpandEntry(photo, text), written[picture]);
        }
    }
}

TEST(TagMenuTextsWithoutColumnsTest, ColumnNotInTheListGivesPositionZero) {
    CRenameCore core;
    CTagExpander& expander = core.GetTagExpander();
    EXPECT_EQ(expander.TagTextForCommand(32811), "<C:0>");
    EXPECT_EQ(expander.TagTextForCommand(32821), "<C:0:M>");
    EXPECT_EQ(expander.TagTextForCommand(32839), "<C:0>");
    EXPECT_EQ(expander.TagTextForCommand(32845), "<C:0:H>'<C:0:MM>");
    EXPECT_EQ(expander.TagTextForCommand(32792), "<N>");
}

TEST_F(TagMenuTextsTest, EveryInsertedTextIsMadeOfWellFormedTags) {
    for (const int id : AllMenuIds()) {
        ExpectWellFormedTags(Text(id));
    }
    // The same checks also hold after the columns were moved.
    ASSERT_TRUE(core.GetCatalogue().SetColumnOrder({3, 8, 1, 0, 2, 7, 5, 4, 6}));
    for (const int id : AllMenuIds()) {
        ExpectWellFormedTags(Text(id));
    }
}

} // namespace
