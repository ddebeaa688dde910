// SPDX-License-Identifier: GPL-3.0-or-later
// The readers that need a heavy library (Exiv2, libavformat) live in a
// module that a run loads only when a tag reads such a file: a batch run
// whose rules read no file contents never maps those libraries. The dynamic
// loader's own record (LD_DEBUG=files) of a real batch run tells.

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class MediaModuleLoadTest : public ::testing::Test {
protected:
    CTempFolder temp;
    std::string files = temp.MakeFolder("files") + "/";

    /// The loader's record of one batch run that replaces every name by
    /// text; empty when the run failed.
    std::string LoadedLibraries(const std::string& text) {
        const std::string options = temp.WriteFile(
            "rules.ini", "[Filename]\r\nReplaceWith=1\r\nReplaceWithValue=\"" + text + "\"\r\n");
        const std::string record = temp / "loader";
        const std::string command = "XDG_CONFIG_HOME='" + temp.MakeFolder("config") +
                                    "' LD_DEBUG=files LD_DEBUG_OUTPUT='" + record + "' '" +
                                    NR_EXECUTABLE_PATH + "' RENAME=1 PAUSE=0 'PATH=" + files +
                                    "' 'NRFILE=" + options + "' </dev/null >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            return {};
        }
        std::string all = "run";
        for (const auto& item : fs::directory_iterator(temp.Path())) {
            if (item.path().filename().string().rfind("loader.", 0) == 0) {
                std::ifstream in(item.path());
                std::ostringstream text;
                text << in.rdbuf();
                all += text.str();
                fs::remove(item.path());
            }
        }
        return all;
    }
};

TEST_F(MediaModuleLoadTest, OnlyATagThatReadsSuchAFileLoadsTheModule) {
    temp.WriteFile("files/photo.heic", "not really a photo");
    temp.WriteFile("files/song.mp3", "");
    temp.WriteFile("files/clip.mov", "not really a video");

    const std::string plain = LoadedLibraries("plain-<N:Z3>");
    ASSERT_FALSE(plain.empty()) << "the batch run failed";
    EXPECT_EQ(plain.find("norvikrename-media"), std::string::npos);
    EXPECT_EQ(plain.find("libexiv2"), std::string::npos);
    EXPECT_EQ(plain.find("libavformat"), std::string::npos);

    // An MP3 tag reads through the tag library the executable links.
    const std::string mp3 = LoadedLibraries("<MP3:T>-<N:Z3>");
    ASSERT_FALSE(mp3.empty());
    EXPECT_EQ(mp3.find("norvikrename-media"), std::string::npos);

    const std::string exif = LoadedLibraries("<E:DateTime>-<N:Z3>");
    ASSERT_FALSE(exif.empty());
    EXPECT_NE(exif.find("norvikrename-media"), std::string::npos);
    EXPECT_NE(exif.find("libexiv2"), std::string::npos);
    EXPECT_NE(exif.find("libavformat"), std::string::npos);
}

} // namespace
