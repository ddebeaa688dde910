// SPDX-License-Identifier: GPL-3.0-or-later
// Every command of the tag language through the whole road: a rule text in
// an options file, a batch run of the real executable, the name on disk.

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

/// A folder with files and an options file, renamed by one batch run.
class BatchTagsTest : public ::testing::Test {
protected:
    CTempFolder temp;
    std::string files = temp.MakeFolder("photos") + "/";

    void File(const std::string& name, const std::string& content = "") {
        temp.WriteFile("photos/" + name, content);
    }

    /// Runs the batch with the sections of an options file (CR LF added)
    /// and an optional FILTER; returns the exit status.
    int Run(const std::vector<std::string>& optionLines, const std::string& filter = "") {
        std::string options;
        for (const std::string& line : optionLines) {
            options += line + "\r\n";
        }
        const std::string optionsFile = temp.WriteFile("rules.ini", options);
        std::string command = "XDG_CONFIG_HOME=" + Quote(temp.MakeFolder("config")) + " " +
                              Quote(NR_EXECUTABLE_PATH) + " RENAME=1 PAUSE=0 " +
                              Quote("PATH=" + files) + " " + Quote("NRFILE=" + optionsFile);
        if (!filter.empty()) {
            command += " " + Quote("FILTER=" + filter);
        }
        command += " </dev/null >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    /// The name block replaced by text.
    int RunReplace(const std::string& text, const std::string& filter = "") {
        return Run({"[Filename]", "ReplaceWith=1", "ReplaceWithValue=\"" + text + "\""}, filter);
    }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& item : fs::directory_iterator(files)) {
            names.insert(item.path().filename().string());
        }
        return names;
    }
    std::string OnlyName() const {
        const auto names = Names();
        return names.size() == 1 ? *names.begin() : "(" + std::to_string(names.size()) + " files)";
    }
};

TEST_F(BatchTagsTest, NumberTagFormatsTheCounter) {
    File("a.jpg");
    EXPECT_EQ(Run({"[Filename]", "ReplaceWith=1", "ReplaceWithValue=\"n<N:B16:Z4>\"",
                   "[Autonumber]", "StartAt=26"}),
              0);
    EXPECT_EQ(OnlyName(), "n0001A.jpg");
}

TEST_F(BatchTagsTest, ColumnTagsGiveNameSizeAndFolder) {
    File("abc.txt", "12345");
    EXPECT_EQ(RunReplace("<C:1>-<C:2>-<C:6:-1>-<C:1:E>"), 0);
    EXPECT_EQ(OnlyName(), "abc-5-photos-abc.txt.txt");
}

TEST_F(BatchTagsTest, DateTagGivesTheYearOfTheRun) {
    File("a.txt");
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(RunReplace("y<D:Y>"), 0);
    EXPECT_EQ(OnlyName(), "y" + std::to_string(local.tm_year + 1900) + ".txt");
}

TEST_F(BatchTagsTest, RandomTagsGiveTheirAlphabetAndLength) {
    File("a.txt");
    EXPECT_EQ(RunReplace("<R:S5:C01>_<RA>"), 0);
    EXPECT_TRUE(std::regex_match(OnlyName(), std::regex("[01]{5}_\\[NOT IMPLEMENTED YET\\]\\.txt")))
        << OnlyName();
}

TEST_F(BatchTagsTest, TextEditorLineIsEmptyInABatchRun) {
    File("a.txt");
    EXPECT_EQ(RunReplace("t<T>"), 0);
    EXPECT_EQ(OnlyName(), "t.txt");
}

TEST_F(BatchTagsTest, ComicArchiveExtensionInTheExtensionRule) {
    File("comic.zip");
    EXPECT_EQ(Run({"[Extension]", "ReplaceWith=1", "ReplaceWithValue=\"<CDR>\""}), 0);
    EXPECT_EQ(OnlyName(), "comic.cbz");
}

TEST_F(BatchTagsTest, CrcTagOfTheFileContent) {
    File("check.txt", "123456789");
    EXPECT_EQ(RunReplace("[<CRC32>] [<CRC32:L>]"), 0);
    EXPECT_EQ(OnlyName(), "[CBF43926] [cbf43926].txt");
}

TEST_F(BatchTagsTest, ShortNameTag) {
    File("Long file name.jpeg");
    EXPECT_EQ(RunReplace("<SHORTNAME:Name>"), 0);
    EXPECT_EQ(OnlyName(), "LONGFI~1.jpeg");
}

TEST_F(BatchTagsTest, RegularExpressionTagUsesTheMask) {
    File("IMG_0042_v2.jpg");
    File("none.jpg");
    EXPECT_EQ(RunReplace("<REGEXP>-<REGEXP:2>", ":[0-9]+"), 0);
    EXPECT_EQ(Names(), (std::set<std::string>{"0042-2.jpg", "none.jpg"}));
}

TEST_F(BatchTagsTest, NumbersFoundInTheName) {
    File("IMG_0042.jpg");
    File("page7b.txt");
    EXPECT_EQ(RunReplace("<EN:Z3>_<FN:Z2>"), 0);
    EXPECT_EQ(Names(), (std::set<std::string>{"0042_IMG_042.jpg", "0007_page007b.txt"}));
}

/// A file of the shared test data; empty when the folder is absent.
std::string TestDataFile(const std::string& name) {
    const char* root = std::getenv("NR_TESTDATA");
    if (root == nullptr || !fs::exists(std::string(root) + "/" + name)) {
        return {};
    }
    return std::string(root) + "/" + name;
}

TEST_F(BatchTagsTest, ExifAndImageTagsOfARealCameraFile) {
    // What ExifTool reads from this file: Make Canon, Model Canon EOS DIGITAL
    // REBEL, DateTimeOriginal 2003:12:04 06:46:52, ISO 100, 8 x 8 pixels.
    const std::string source = TestDataFile("jpeg/Canon.jpg");
    if (source.empty()) {
        GTEST_SKIP() << "no shared test data";
    }
    fs::copy_file(source, files + "IMG_0001.JPG");
    EXPECT_EQ(RunReplace("<E:CameraMake>_<E:CameraModel>_<E:DateTime:Y>-<E:DateTime:M>-"
                         "<E:DateTime:D>_<E:ISOequivalent>_<G:W>x<G:H>"),
              0);
    EXPECT_EQ(OnlyName(), "Canon_Canon EOS DIGITAL REBEL_2003-12-04_100_8x8.JPG");
}

TEST_F(BatchTagsTest, ImageTagOfARealGif) {
    // ExifTool: 8 x 8 pixels, 8 bits per pixel.
    const std::string source = TestDataFile("images/exiftool_GIF.gif");
    if (source.empty()) {
        GTEST_SKIP() << "no shared test data";
    }
    fs::copy_file(source, files + "a.gif");
    EXPECT_EQ(RunReplace("<G>_<G:B>_<G:C>"), 0);
    EXPECT_EQ(OnlyName(), "8x8x256_8_256.gif");
}

TEST_F(BatchTagsTest, UnknownTagsAreEmptyAndAnUnclosedOneIsTheErrorText) {
    File("a.txt");
    File("b.log");
    EXPECT_EQ(Run({"[Filename]", "InsertBefore=1", "InsertBeforeValue=\"x< N ><NOPE>\"",
                   "[Extension]", "ReplaceWith=1", "ReplaceWithValue=\"<C:5\""}),
              0);
    EXPECT_EQ(Names(), (std::set<std::string>{"xa._ONJUIST COMMANDO_", "xb._ONJUIST COMMANDO_"}));
}

} // namespace
