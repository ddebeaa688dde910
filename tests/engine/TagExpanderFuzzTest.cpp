// SPDX-License-Identifier: GPL-3.0-or-later
// Random tag texts, a bounded number with a fixed seed: no parameter text
// may read outside its text, overrun a buffer or hang, and valid UTF-8 in
// gives valid UTF-8 out. Run under the sanitizers this finds what the
// hand-written cases miss.

#include "TagExpanderTestFixture.h"

#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

using tagtest::TagExpanderTest;

constexpr int kRuleTexts = 20000;
constexpr int kRawTags = 5000;
constexpr std::size_t kMaxResultBytes = 64 * 1024;

const std::vector<std::string> kCommands = {
    "N",
    "NUMBER",
    "G",
    "GRAPHIC",
    "MP3",
    "E",
    "EXIF",
    "C",
    "COL",
    "D",
    "TODAY",
    "R",
    "RANDOM",
    "RA",
    "T",
    "CDR",
    "CRC32",
    "SHORTNAME",
    "REGEXP",
    "EN",
    "EXTRACT_NUMBER",
    "FN",
    "FORMAT_NUMBER",
    "n",
    "col",
    "e",
    "mp3",
    "x",
    "",
    " N",
    "CRC",
};

const std::vector<std::string> kParams = {
    "",
    "B",
    "B16",
    "B2",
    "B36",
    "B37",
    "B-1",
    "B99999999999",
    "Z",
    "Z0",
    "Z4",
    "Z128",
    "Z129",
    "Z-5",
    "Z2147483647",
    "I",
    "I0",
    "I2",
    "I-2147483648",
    "I2147483647",
    "S",
    "S0",
    "S4",
    "S128",
    "S999",
    "C",
    "Cäö日",
    "C0123456789",
    ",",
    ".",
    "K",
    "M",
    "E",
    "e",
    "L",
    "U",
    "name",
    "ext",
    "%",
    "0",
    "1",
    "2",
    "5",
    "6",
    "7",
    "9",
    "10",
    "-1",
    "-2",
    "-9",
    "2147483647",
    "-2147483648",
    "99999999999",
    "Y",
    "Y2",
    "M",
    "D",
    "H",
    "MM",
    "S",
    "MS",
    "DOW",
    "YR",
    "MSR",
    "Q",
    "width",
    "datetime",
    "FlashUsed",
    "IsColor",
    "comments",
    "cameramake",
    "focallength",
    "orientation",
    "t",
    "trk",
    "l",
    "s",
    "bt",
    "Yes",
    "No",
    "W",
    "H",
    "c",
    "<",
    ">",
    "é",
    "日本",
    " ",
    "\t",
};

const std::vector<std::string> kMasks = {"[0-9]+",       "(",       "x*",      "é",   ".*",
                                         "[[:alpha:]]+", "(a|b)*c", "\\d{2,}", "^IMG"};

const std::vector<std::string> kManualDigits = {"", "ab", "αβγ", "x", "日本語"};

/// Characters for the free text around and inside tags (all valid UTF-8).
const std::vector<std::string> kPieces = {"a", "Z", "0",  "7", ":", "<", ">",  " ", "_",
                                          "-", "é", "日", "Ω", "%", "/", "\\", "."};

class CFuzzer {
public:
    explicit CFuzzer(uint32_t seed) : engine(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); }
    bool Chance(int percent) { return Below(100) < percent; }
    int32_t AnyInt() {
        return static_cast<int32_t>(std::uniform_int_distribution<uint32_t>()(engine));
    }
    template <typename T> const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }

    std::string FreeText(int maxPieces) {
        std::string text;
        for (int i = Below(maxPieces + 1); i > 0; --i) {
            text += Pick(kPieces);
        }
        return text;
    }

    std::string Tag() {
        std::string tag = Chance(90) ? Pick(kCommands) : FreeText(4);
        const int params = Below(6);
        for (int i = 0; i < params; ++i) {
            tag += ':';
            tag += Chance(85) ? Pick(kParams) : FreeText(5);
        }
        return tag;
    }

    std::string RuleText() {
        std::string text = FreeText(3);
        for (int i = Below(4); i >= 0; --i) {
            text += "<" + Tag();
            if (Chance(95)) {
                text += ">";
            }
            text += FreeText(3);
        }
        return text;
    }

    std::string RawBytes() {
        std::string bytes;
        for (int i = Below(40); i > 0; --i) {
            bytes.push_back(static_cast<char>(Below(256)));
        }
        return bytes;
    }

    std::mt19937 engine;
};

class TagExpanderFuzzTest : public TagExpanderTest {
protected:
    void SetUp() override {
        temp.WriteFile("IMG_0042_v2.jpg");
        temp.WriteFile("song.mp3");
        temp.WriteFile("pic.png");
        temp.WriteFile("check.txt", "123456789");
        temp.WriteFile("Long name ü 12.txt");
        temp.WriteFile("archive.ZIP");
        temp.WriteFile("noext");
        temp.MakeFolder("sub folder");
        Catalogue().SetFoldersAsFiles(true);
        Open();

        CExifInfo exif;
        exif.cameraMake = "Maker";
        exif.dateTime = "2004:07:32 25:61:61";
        exif.comments = " ü ";
        exif.orientation = -2147483647 - 1;
        exif.focalLength = 3.4e38f;
        exif.exifPresent = 1;
        media.exif["IMG_0042_v2.jpg"] = exif;
        CMp3Info mp3;
        mp3.title = "<N>";
        mp3.trackText = "3/12";
        mp3.trackNumber = -2147483647 - 1;
        mp3.lengthSeconds = -61;
        mp3.bitRate = 2147483647;
        media.mp3["song.mp3"] = mp3;
        media.images["pic.png"] = CImageInfo{4294967295u, 0, 4294967295u, 4294967295u};
        frontEnd.editorLines = {"line one", std::string(300, 'x'), "", "ü日"};
    }

    /// A random entry and state of the computation.
    void RandomState(CFuzzer& fuzz) {
        const int row = fuzz.Below(Catalogue().GetRowCount());
        CComputationState& state = State();
        state.entry = &Catalogue().GetRowEntry(row);
        state.row = row;
        state.namePart = fuzz.Chance(50);
        state.extensionPart = !state.namePart;
        state.counter = fuzz.Chance(50) ? fuzz.Below(100) - 50 : fuzz.AnyInt();
        state.zeroFill = fuzz.Below(300) - 5;
        state.base = static_cast<AutonumberBase>(fuzz.Below(6));
        state.manualDigits = fuzz.Pick(kManualDigits);
        state.computedCount = fuzz.Below(6) - 1;
        state.maskText = fuzz.Pick(kMasks);
        state.maskIsRegex = fuzz.Chance(70);
        if (fuzz.Chance(2)) {
            std::vector<int> order(9);
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), fuzz.engine);
            ASSERT_TRUE(Catalogue().SetColumnOrder(order));
        }
    }
};

} // namespace

TEST_F(TagExpanderFuzzTest, RandomRuleTextsStayInBoundsAndValid) {
    CFuzzer fuzz(0x5EED1234u);
    SeedTagRandom(7);
    for (int i = 0; i < kRuleTexts; ++i) {
        RandomState(fuzz);
        const std::string text = fuzz.RuleText();
        const std::string result = core.ExpandRuleText(text);
        ASSERT_TRUE(utf8::IsValid(result)) << "rule text: " << text;
        ASSERT_LT(result.size(), kMaxResultBytes) << "rule text: " << text;
        ASSERT_FALSE(State().previewCancelled);
        if (text.find('<') == std::string::npos) {
            ASSERT_EQ(result, text);
        }
    }
}

TEST_F(TagExpanderFuzzTest, RandomBytesInTagsStayInBounds) {
    CFuzzer fuzz(0xB17E5u);
    for (int i = 0; i < kRawTags; ++i) {
        RandomState(fuzz);
        const std::string tag =
            (fuzz.Chance(50) ? fuzz.Pick(kCommands) + ":" : std::string()) + fuzz.RawBytes();
        const std::string result = core.GetTagExpander().EvaluateTag(tag);
        ASSERT_LT(result.size(), kMaxResultBytes);
    }
}

TEST_F(TagExpanderFuzzTest, EntriesWithoutARowOrWithoutAnEntryAreSafe) {
    CFuzzer fuzz(99);
    const CFileEntry atRoot = tagtest::MakeEntry("/", "nothing-here.jpg", 1);
    for (int i = 0; i < 2000; ++i) {
        RandomState(fuzz);
        State().entry = fuzz.Chance(50) ? &atRoot : nullptr;
        State().row = fuzz.Chance(50) ? -1 : 100000;
        const std::string text = fuzz.RuleText();
        const std::string result = core.ExpandRuleText(text);
        ASSERT_TRUE(utf8::IsValid(result)) << "rule text: " << text;
    }
}
