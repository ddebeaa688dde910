// SPDX-License-Identifier: GPL-3.0-or-later
// A phone's camera folder of HEIC photos and MOV, 3GP and MP4 videos renamed
// to the day and hour of recording by one batch run of the real executable:
// the photos by their EXIF, the videos by Apple's creation date as written
// or the movie header's UTC time in the local zone. Uses the real files of
// the shared test data ($NR_TESTDATA/modern); skips without them.

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string ModernFolder() {
    const char* data = std::getenv("NR_TESTDATA");
    if (data == nullptr || !fs::is_directory(std::string(data) + "/modern")) {
        return {};
    }
    return std::string(data) + "/modern/";
}

class PhoneFolderTest : public ::testing::Test {
protected:
    CTempFolder temp;
    std::string camera = temp.MakeFolder("DCIM") + "/";

    /// Renames the folder in the time zone zone; the names afterwards.
    std::set<std::string> RenameIn(const std::string& zone) {
        const std::string options = temp.WriteFile(
            "rules.ini", "[Filename]\r\nReplaceWith=1\r\nReplaceWithValue=\"<E:DateTime:Y>-"
                         "<E:DateTime:M>-<E:DateTime:D> <E:DateTime:H>h<E:DateTime:MM>\"\r\n");
        const std::string command = "TZ='" + zone + "' XDG_CONFIG_HOME='" +
                                    temp.MakeFolder("config") + "' '" + NR_EXECUTABLE_PATH +
                                    "' RENAME=1 PAUSE=0 'PATH=" + camera + "' 'NRFILE=" + options +
                                    "' </dev/null >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
        std::set<std::string> names;
        for (const auto& item : fs::directory_iterator(camera)) {
            names.insert(item.path().filename().string());
        }
        return names;
    }

    void Take(const std::string& modern, const std::string& name) {
        fs::copy_file(ModernFolder() + modern, camera + name);
    }
};

TEST_F(PhoneFolderTest, PhotosAndVideosTakeTheirDayOfRecording) {
    if (ModernFolder().empty()) {
        GTEST_SKIP() << "no shared test data (NR_TESTDATA)";
    }
    Take("heif/bep_iphone.heic", "IMG_4101.HEIC");
    Take("heif/exiv2_IMG_3578.heic", "IMG_4102.HEIC");
    Take("video/nomexif_meta.mov", "IMG_4103.MOV");      // Apple's date, +08:00 as written
    Take("video/gen_ffmpeg_keys.mov", "IMG_4104.MOV");   // Apple's date, +02:00 as written
    Take("video/filetype_fixture2.3gp", "VID_4105.3GP"); // the phone's local date box
    Take("video/nomexif_sony-a7-xavc.MP4", "C0001.MP4"); // the movie header: UTC
    const std::set<std::string> utc = RenameIn("UTC");
    EXPECT_EQ(utc.size(), 6u);
    EXPECT_TRUE(utc.count("2026-02-19 14h22.HEIC")) << *utc.begin();
    EXPECT_TRUE(utc.count("2020-04-17 10h03.HEIC"));
    EXPECT_TRUE(utc.count("2019-02-12 15h27.MOV"));
    EXPECT_TRUE(utc.count("2021-07-04 18h30.MOV"));
    EXPECT_TRUE(utc.count("2018-02-07 10h15.3GP"));
    EXPECT_TRUE(utc.count("2026-04-26 09h25.MP4"));

    // In another zone only the movie header's time moves; the dates that
    // the photos and the phones wrote as wall-clock time stay.
    const std::set<std::string> tokyo = RenameIn("Asia/Tokyo");
    EXPECT_EQ(tokyo, (std::set<std::string>{"2026-02-19 14h22.HEIC", "2020-04-17 10h03.HEIC",
                                            "2019-02-12 15h27.MOV", "2021-07-04 18h30.MOV",
                                            "2018-02-07 10h15.3GP", "2026-04-26 18h25.MP4"}));
}

} // namespace
