// SPDX-License-Identifier: GPL-3.0-or-later
#include "TagExpanderTestFixture.h"

#include "media/Mp3Reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tagtest::TagExpanderTest;

CImageInfo Image(uint32_t width, uint32_t height, uint32_t bits, uint32_t colours) {
    CImageInfo info;
    info.width = width;
    info.height = height;
    info.bitsPerPixel = bits;
    info.colourCount = colours;
    return info;
}

} // namespace

// ---------------------------------------------------------------------------
// Image tag

class ImageTagTest : public TagExpanderTest {
protected:
    void SetUp() override {
        for (const char* name : {"true.png", "palette.gif", "wide.bmp", "deep.tga", "none.jpg"}) {
            temp.WriteFile(name);
        }
        media.images["true.png"] = Image(640, 480, 24, 16777216);
        media.images["palette.gif"] = Image(640, 480, 8, 256);
        media.images["wide.bmp"] = Image(800, 600, 16, 65536);
        media.images["deep.tga"] = Image(70000, 1, 31, 2147483648u);
        Open();
    }
};

TEST_F(ImageTagTest, WithoutParameterGivesSizeAndColours) {
    EXPECT_EQ(Expand("true.png", "<G>"), "640x480x16M");
    EXPECT_EQ(Expand("palette.gif", "<GRAPHIC>"), "640x480x256");
    EXPECT_EQ(Expand("wide.bmp", "<g>"), "800x600x65K");
}

TEST_F(ImageTagTest, FieldsByTheirFirstCharacter) {
    EXPECT_EQ(Expand("wide.bmp", "<G:W>|<G:width>|<G:h>|<G:B>|<G:bits>"), "800|800|600|16|16");
    EXPECT_EQ(Expand("wide.bmp", "<G:C>|<G:Colours>|<G:c>|<G:colours>"), "65536|65536|65K|65K");
    EXPECT_EQ(Expand("wide.bmp", "[<G:X>|<G:1>]"), "[|]");
}

TEST_F(ImageTagTest, NumbersTakeBaseAndZeroFill) {
    EXPECT_EQ(Expand("wide.bmp", "<G:W:Z4>"), "00800");
    EXPECT_EQ(Expand("wide.bmp", "<G:W:B16>|<G:W:B16:Z5>"), "320|000320");
    EXPECT_EQ(Expand("wide.bmp", "<G:W:B36>|<G:W:B33>|<G:W:B1>"), "800|800|800");
    EXPECT_EQ(Expand("wide.bmp", "<G:W:B32>"), "P0");
    EXPECT_EQ(Expand("wide.bmp", "<G:c:Z9>"), "65K"); // no further parameters are read
}

TEST_F(ImageTagTest, LargeValuesStayUnsigned) {
    EXPECT_EQ(Expand("deep.tga", "<G:C>|<G:W>"), "2147483648|70000");
    EXPECT_EQ(Expand("deep.tga", "<G>"), "70000x1x2147483648");
}

TEST_F(ImageTagTest, AFileThatIsNoReadableImageGivesNothing) {
    EXPECT_EQ(Expand("none.jpg", "[<G>|<G:W>|<G:c>]"), "[||]");
    media.imageCalls = 0;
    const CFileEntry notListed = tagtest::MakeEntry(temp.Path(), "true.png");
    EXPECT_EQ(ExpandEntry(notListed, "<G:W>"), "640");
    EXPECT_EQ(media.imageCalls, 1);
}

// ---------------------------------------------------------------------------
// MP3 tag

class Mp3TagTest : public TagExpanderTest {
protected:
    void SetUp() override {
        for (const char* name : {"song.MP3", "song.mp2", "plain.mp3", "vbr.mp3", "broken.mp3"}) {
            temp.WriteFile(name);
        }
        CMp3Info song;
        song.title = "Title 100%";
        song.artist = "Artist";
        song.album = "Album";
        song.year = "2004";
        song.comment = "  a comment ";
        song.trackText = "7/12";
        song.trackNumber = 7;
        song.genre = "(17)Rock";
        song.bitRate = 128000;
        song.sampleRate = 44100;
        song.lengthSeconds = 245;
        song.layerText = "Layer III";
        song.versionText = "MPEG 1";
        song.channelText = "Joint Stereo";
        media.mp3["song.MP3"] = song;
        media.mp3["song.mp2"] = song;
        CMp3Info plain;
        plain.bitRate = 64999;
        media.mp3["plain.mp3"] = plain;
        CMp3Info vbr = song;
        vbr.vbrBitRate = 191500;
        vbr.bitRate = 191500;
        vbr.lengthSeconds = 59;
        media.mp3["vbr.mp3"] = vbr;
        Open();
    }
};

TEST_F(Mp3TagTest, TextFields) {
    EXPECT_EQ(Expand("song.MP3", "<MP3:T>|<MP3:title>|<mp3:TITLE>"),
              "Title 100%|Title 100%|Title 100%");
    EXPECT_EQ(Expand("song.MP3", "<MP3:a>|<MP3:artist>|<MP3:al>|<MP3:album>"),
              "Artist|Artist|Album|Album");
    EXPECT_EQ(Expand("song.MP3", "<MP3:y>|<MP3:year>|<MP3:g>|<MP3:genre>"),
              "2004|2004|(17)Rock|(17)Rock");
    EXPECT_EQ(Expand("song.MP3", "<MP3:cm>|<MP3:comments>"), "  a comment |  a comment ");
    EXPECT_EQ(Expand("song.MP3", "<MP3:ml>|<MP3:mv>|<MP3:c>"), "Layer III|MPEG 1|Joint Stereo");
    EXPECT_EQ(Expand("song.MP3", "<MP3:mpeglayer>|<MP3:mpegversion>|<MP3:channel>"),
              "Layer III|MPEG 1|Joint Stereo");
    EXPECT_EQ(Expand("song.MP3", "[<MP3:titles>|<MP3:x>]"), "[|]");
}

TEST_F(Mp3TagTest, StreamFacts) {
    EXPECT_EQ(Expand("song.MP3", "<MP3>"), "128 Kbits");
    EXPECT_EQ(Expand("plain.mp3", "<MP3>|<MP3:b>"), "64 Kbits|64");
    EXPECT_EQ(Expand("song.MP3", "<MP3:b>|<MP3:bitrate>|<MP3:sr>|<MP3:samplerate>"),
              "128|128|44100|44100");
    EXPECT_EQ(Expand("song.MP3", "<MP3:l>|<MP3:length>"), "4'05|4'05");
    EXPECT_EQ(Expand("vbr.mp3", "<MP3:l>"), "0'59");
    EXPECT_EQ(Expand("song.MP3", "<MP3:s>|<MP3:seconds:Z4>|<MP3:s:B16>"), "245|00245|F5");
    EXPECT_EQ(Expand("song.MP3", "<MP3:bt>|<MP3:bitratetype>"), "CBR|CBR");
    EXPECT_EQ(Expand("vbr.mp3", "<MP3:bt>|<MP3>"), "VBR|191 Kbits");
}

TEST_F(Mp3TagTest, TrackNumberIsFilledAndEmptyWhenAbsent) {
    EXPECT_EQ(Expand("song.MP3", "<MP3:TRK>|<MP3:track:Z0>|<MP3:trk:Z3>|<MP3:trk:B2>"),
              "07|7|0007|111");
    EXPECT_EQ(Expand("plain.mp3", "[<MP3:TRK>]"), "[]");
}

TEST_F(Mp3TagTest, OnlyFilesWithTheMp3ExtensionAreRead) {
    media.mp3Calls = 0;
    EXPECT_EQ(Expand("song.mp2", "[<MP3:T>|<MP3>]"), "[|]");
    EXPECT_EQ(media.mp3Calls, 0);
    EXPECT_EQ(Expand("broken.mp3", "[<MP3:T>|<MP3>]"), "[|]");
    EXPECT_EQ(media.mp3Calls, 2);
}

// ---------------------------------------------------------------------------
// MP3 tag on other audio formats

class AudioTagTest : public TagExpanderTest {
protected:
    void SetUp() override {
        for (const char* name :
             {"song.flac", "song.mp3", "song.aac", "song.mp2", "odd.WAV", "broken.ogg"}) {
            temp.WriteFile(name);
        }
        CMp3Info flac;
        flac.title = "Sinus";
        flac.artist = "piman, jzig";
        flac.year = "2021-07-04";
        flac.trackText = "3/12";
        flac.trackNumber = 3;
        flac.bitRate = 111000;
        flac.sampleRate = 44100;
        flac.lengthSeconds = 61;
        flac.channelText = "Stereo";
        media.audio["song.flac"] = flac;
        // A reader that filled the MPEG facts anyway: the tags still say nothing.
        CMp3Info odd = flac;
        odd.title = "Odd";
        odd.layerText = "Layer III";
        odd.versionText = "MPEG 1";
        odd.vbrBitRate = 96000;
        odd.channelText = "6";
        media.audio["odd.WAV"] = odd;
        CMp3Info mp3 = flac;
        mp3.title = "From the MP3 reader";
        mp3.layerText = "Layer III";
        mp3.versionText = "MPEG 1";
        media.mp3["song.mp3"] = mp3;
        media.audio["song.mp3"] = flac;
        media.audio["song.aac"] = flac;
        media.audio["song.mp2"] = flac;
        Open();
    }
};

TEST_F(AudioTagTest, FieldsOfAnotherFormat) {
    EXPECT_EQ(Expand("song.flac", "<MP3:T>|<MP3:a>|<MP3:y>|<MP3:trk:Z2>|<MP3:trk:B2>"),
              "Sinus|piman, jzig|2021-07-04|003|11");
    EXPECT_EQ(Expand("song.flac", "<MP3>|<MP3:b>|<MP3:sr>|<MP3:l>|<MP3:s>|<MP3:c>"),
              "111 Kbits|111|44100|1'01|61|Stereo");
    EXPECT_EQ(Expand("odd.WAV", "<MP3:T>|<MP3:c>"), "Odd|6");
}

TEST_F(AudioTagTest, MpegLayerVersionAndBitrateTypeAreEmptyForOtherFormats) {
    EXPECT_EQ(Expand("song.flac", "[<MP3:ml>|<MP3:mv>|<MP3:bt>]"), "[||]");
    EXPECT_EQ(Expand("odd.WAV", "[<MP3:mpeglayer>|<MP3:mpegversion>|<MP3:bitratetype>]"), "[||]");
    EXPECT_EQ(Expand("song.mp3", "<MP3:ml>|<MP3:mv>|<MP3:bt>"), "Layer III|MPEG 1|CBR");
}

TEST_F(AudioTagTest, TheExtensionChoosesTheReader) {
    EXPECT_EQ(Expand("song.mp3", "<MP3:T>"), "From the MP3 reader");
    EXPECT_EQ(media.mp3Calls, 1);
    EXPECT_EQ(media.audioCalls, 0);
    EXPECT_EQ(Expand("song.flac", "<MP3:T>"), "Sinus");
    EXPECT_EQ(media.audioCalls, 1);
    // Raw AAC and MPEG layer II files are read by neither.
    EXPECT_EQ(Expand("song.aac", "[<MP3:T>|<MP3>]"), "[|]");
    EXPECT_EQ(Expand("song.mp2", "[<MP3:T>|<MP3>]"), "[|]");
    EXPECT_EQ(media.audioCalls, 1);
    EXPECT_EQ(media.mp3Calls, 1);
    // A file the reader does not recognise gives nothing at all.
    EXPECT_EQ(Expand("broken.ogg", "[<MP3:T>|<MP3>|<MP3:bt>]"), "[||]");
    EXPECT_EQ(media.audioCalls, 4); // each tag asks
}

TEST_F(AudioTagTest, EveryAudioExtensionReachesTheAudioReader) {
    const std::vector<std::string> extensions = {"flac", "ogg",  "oga", "opus", "m4a",
                                                 "m4b",  "wma",  "asf", "wav",  "aif",
                                                 "aiff", "aifc", "ape", "wv",   "FLAC"};
    for (const std::string& extension : extensions) {
        const CFileEntry entry = tagtest::MakeEntry(temp.Path(), "x." + extension);
        media.audio["x." + extension].title = extension;
        media.audioCalls = 0;
        EXPECT_EQ(ExpandEntry(entry, "<MP3:T>"), extension);
        EXPECT_EQ(media.audioCalls, 1) << extension;
    }
    EXPECT_EQ(media.mp3Calls, 0);
}

// ---------------------------------------------------------------------------
// EXIF tag

class ExifTagTest : public TagExpanderTest {
protected:
    void SetUp() override {
        for (const char* name :
             {"camera.jpg", "camera.JPEG", "camera.png", "plain.jpg", "unread.jpg", "odd.jpg"}) {
            temp.WriteFile(name);
        }
        CExifInfo info;
        info.version = "0220";
        info.cameraMake = "  Maker  ";
        info.cameraModel = "Model X\t";
        info.dateTime = "2004:07:09 14:03:00";
        info.width = 2048;
        info.height = 1536;
        info.orientation = 1;
        info.isColor = 1;
        info.process = 192;
        info.flashUsed = 1;
        info.focalLength = 5.8f;
        info.exposureTime = 0.015625f;
        info.apertureFNumber = 4;
        info.distance = -1.25f;
        info.ccdWidth = 0.7874016f;
        info.exposureBias = -0.3333f;
        info.whiteBalance = 2;
        info.meteringMode = 5;
        info.exposureProgram = 2;
        info.isoEquivalent = 200;
        info.compressionLevel = 4;
        info.focalPlaneXRes = 1000;
        info.focalPlaneYRes = 1000.5f;
        info.focalPlaneUnits = 0.3937008f;
        info.xResolution = 72;
        info.yResolution = 72;
        info.resolutionUnit = 1;
        info.brightness = 7.25f;
        info.comments = "\n  Holiday  \r\n";
        info.exifPresent = 1;
        media.exif["camera.jpg"] = info;
        media.exif["camera.JPEG"] = info;
        media.exif["camera.png"] = info;
        CExifInfo plain = info;
        plain.exifPresent = 0;
        media.exif["plain.jpg"] = plain;
        CExifInfo odd = info;
        odd.dateTime = "2004:07:32 14:03:00";
        odd.flashUsed = 0;
        odd.isColor = 7;
        odd.orientation = -3;
        media.exif["odd.jpg"] = odd;
        Open();
    }
};

TEST_F(ExifTagTest, TextFieldsAreTrimmed) {
    EXPECT_EQ(Expand("camera.jpg", "<E:Version>|<EXIF:version>"), "0220|0220");
    EXPECT_EQ(Expand("camera.jpg", "[<E:CameraMake>|<E:cameramodel>|<E:Comments>]"),
              "[Maker|Model X|Holiday]");
}

TEST_F(ExifTagTest, IntegerFieldsTakeBaseAndZeroFillOne) {
    EXPECT_EQ(Expand("camera.jpg", "<E:Orientation>|<E:Orientation:Z0>"), "01|1");
    EXPECT_EQ(Expand("camera.jpg", "<E:Width>|<E:Height>|<E:width:B16>"), "2048|1536|800");
    EXPECT_EQ(Expand("camera.jpg", "<E:Process>|<E:WhiteBalance>|<E:MeteringMode>"), "192|02|05");
    EXPECT_EQ(Expand("camera.jpg", "<E:ExposureProgram>|<E:ISOEquivalent>|<E:CompressionLevel>"),
              "02|200|04");
    EXPECT_EQ(Expand("camera.jpg", "<E:Width:B35>|<E:Width:Z6>"), "2048|0002048");
    EXPECT_EQ(Expand("odd.jpg", "<E:Orientation>|<E:Orientation:Z3>"), "-03|-0003");
}

TEST_F(ExifTagTest, YesNoFields) {
    EXPECT_EQ(Expand("camera.jpg", "<E:FlashUsed:Yes:No>|<E:IsColor:kleur:grijs>"), "Yes|kleur");
    EXPECT_EQ(Expand("odd.jpg", "<E:FlashUsed:Yes:No>|<E:IsColor:kleur:grijs>"), "No|grijs");
    EXPECT_EQ(Expand("camera.jpg", "<E:FlashUsed:Yes>|<E:FlashUsed>|<E:FlashUsed::No>"), "1|1|1");
    EXPECT_EQ(Expand("odd.jpg", "<E:IsColor>"), "7");
}

TEST_F(ExifTagTest, RealFieldsHaveThreeDecimals) {
    EXPECT_EQ(Expand("camera.jpg", "<E:FocalLength>|<E:ExposureTime>|<E:ApertureFNumber>"),
              "5.800|0.016|4.000");
    EXPECT_EQ(Expand("camera.jpg", "<E:Distance>|<E:CCDWidth>|<E:ExposureBias>"),
              "-1.250|0.787|-0.333");
    EXPECT_EQ(Expand("camera.jpg", "<E:FocalPlaneXRes>|<E:FocalPlaneYRes>|<E:FocalPlaneUnits>"),
              "1000.000|1000.500|0.394");
    EXPECT_EQ(
        Expand("camera.jpg", "<E:XResolution>|<E:YResolution>|<E:ResolutionUnit>|<E:Brightness>"),
        "72.000|72.000|1.000|7.250");
}

TEST_F(ExifTagTest, DateTimeIsFormattedByTheNextParameter) {
    EXPECT_EQ(Expand("camera.jpg", "<E:DateTime:D>-<E:DateTime:M>-<E:DateTime:Y2>"), "09-07-04");
    EXPECT_EQ(Expand("camera.jpg", "<E:DateTime>|<E:datetime:H>:<E:DateTime:MM>"),
              "20040709|14:03");
    EXPECT_EQ(Expand("camera.jpg", "<E:DateTime:DOW>|<E:DateTime:MS>|[<E:DateTime:Q>]"),
              "5|0000|[]");
    EXPECT_EQ(Expand("odd.jpg", "<E:DateTime>|<E:DateTime:DOW>"), "20040801|0");
}

TEST_F(ExifTagTest, DateTimesOfOtherLengthsOrWithoutCalendarFormGiveNothing) {
    for (const char* text : {"", "2004:07:09", "2004:07:09 14:03:00 ", "0000:00:00 00:00:00"}) {
        media.exif["camera.jpg"].dateTime = text;
        const CFileEntry entry = tagtest::MakeEntry(temp.Path(), "camera.jpg");
        EXPECT_EQ(ExpandEntry(entry, "[<E:DateTime>]"), "[]") << text;
    }
    media.exif["camera.jpg"].dateTime = "1950:06:15 08:00:00";
    const CFileEntry entry = tagtest::MakeEntry(temp.Path(), "camera.jpg");
    EXPECT_EQ(ExpandEntry(entry, "<E:DateTime>|<E:DateTime:DOW>"), "19500615|4");
    media.exif["camera.jpg"].dateTime = "2100:12:31 23:59:59";
    EXPECT_EQ(ExpandEntry(entry, "<E:DateTime>|<E:DateTime:DOW>"), "21001231|5");
}

TEST_F(ExifTagTest, OnlyJpegFilesWithExifDataAndAFieldName) {
    EXPECT_EQ(Expand("camera.JPEG", "<E:Width>"), "2048");
    media.exifCalls = 0;
    EXPECT_EQ(Expand("camera.png", "[<E:Width>]"), "[]");
    EXPECT_EQ(Expand("camera.jpg", "[<E>]"), "[]");
    EXPECT_EQ(media.exifCalls, 0);
    EXPECT_EQ(Expand("plain.jpg", "[<E:Width>|<E:CameraMake>]"), "[|]");
    EXPECT_EQ(Expand("unread.jpg", "[<E:Width>]"), "[]");
    EXPECT_EQ(Expand("camera.jpg", "[<E:Unknown>|<E:exifpresent>]"), "[|]");
}

TEST_F(ExifTagTest, StillsOfOtherFormatsAreReadByTheStillReaderWithTheSameRules) {
    for (const char* name : {"phone.HEIC", "raw.cr2", "shot.webp", "other.mp4"}) {
        temp.WriteFile(name);
    }
    Open();
    media.stillExif["phone.HEIC"] = media.exif["camera.jpg"];
    media.stillExif["raw.cr2"] = media.exif["plain.jpg"];
    media.stillExif["other.mp4"] = media.exif["camera.jpg"];
    media.exifCalls = 0;
    EXPECT_EQ(Expand("phone.HEIC", "<E:CameraMake>|<E:DateTime:Y>|<E:ExposureTime>|<E:Flash>"),
              Expand("camera.jpg", "<E:CameraMake>|<E:DateTime:Y>|<E:ExposureTime>|<E:Flash>"));
    EXPECT_EQ(Expand("phone.HEIC", "<E:CameraMake>|<E:DateTime:Y>"), "Maker|2004");
    EXPECT_EQ(media.exifCalls, 4) << "the four tags of the JPEG file alone";
    media.stillExifCalls = 0;
    EXPECT_EQ(Expand("raw.cr2", "[<E:CameraMake>]"), "[]");
    EXPECT_EQ(Expand("shot.webp", "[<E:CameraMake>]"), "[]");
    EXPECT_EQ(Expand("other.mp4", "[<E:CameraMake>]"), "[]");
    EXPECT_EQ(Expand("phone.HEIC", "[<E>]"), "[]");
    EXPECT_EQ(media.stillExifCalls, 2);
    EXPECT_EQ(media.exifCalls, 4);
}

TEST_F(ExifTagTest, VideosAreReadByTheVideoReaderWithTheSameFormatting) {
    const std::vector<std::string> videos = {"clip.mp4", "clip.MOV", "clip.m4v", "clip.3GP",
                                             "clip.qt",  "clip.mkv", "clip.WebM"};
    for (const std::string& name : videos) {
        temp.WriteFile(name);
    }
    temp.WriteFile("clip.avi");
    temp.WriteFile("empty.mp4");
    temp.WriteFile("unread.mov");
    Open();
    CExifInfo recorded;
    recorded.dateTime = "2019:02:12 15:27:12";
    recorded.cameraMake = "Apple";
    recorded.cameraModel = "iPhone X";
    recorded.exifPresent = 1;
    for (const std::string& name : videos) {
        media.video[name] = recorded;
    }
    media.video["clip.avi"] = recorded;
    media.video["empty.mp4"] = CExifInfo();
    media.exif["photo.jpg"] = recorded;
    media.exifCalls = 0;
    media.stillExifCalls = 0;
    const std::string tags = "<E:DateTime>|<E:DateTime:Y>-<E:DateTime:M>-<E:DateTime:D> "
                             "<E:DateTime:H>.<E:DateTime:MM>|<E:CameraMake> <E:CameraModel>";
    for (const std::string& name : videos) {
        EXPECT_EQ(Expand(name, tags), "20190212|2019-02-12 15.27|Apple iPhone X") << name;
    }
    EXPECT_EQ(media.videoCalls, 8 * 7) << "eight tags for each of seven files";
    // The other fields are those of a record without them, as for a JPEG file.
    EXPECT_EQ(Expand("clip.mp4", "[<E:Width>|<E:FocalLength>|<E:FlashUsed>|<E:Version>]"),
              "[00|0.000|0|]");
    EXPECT_EQ(media.exifCalls, 0);
    EXPECT_EQ(media.stillExifCalls, 0);
    // Other extensions are not asked for, and a video without a date or
    // camera gives nothing.
    media.videoCalls = 0;
    EXPECT_EQ(Expand("clip.avi", "[<E:DateTime>]"), "[]");
    EXPECT_EQ(Expand("clip.mp4", "[<E>]"), "[]");
    EXPECT_EQ(media.videoCalls, 0);
    EXPECT_EQ(Expand("empty.mp4", "[<E:DateTime>|<E:CameraMake>]"), "[|]");
    EXPECT_EQ(Expand("unread.mov", "[<E:DateTime>|<E:CameraMake>]"), "[|]");
    EXPECT_EQ(media.videoCalls, 4);
}

// ---------------------------------------------------------------------------
// The media declarations

TEST(Mp3TextsTest, GenreListAndHeaderCodes) {
    EXPECT_EQ(Mp3GenreName(0), "Blues");
    EXPECT_EQ(Mp3GenreName(17), "Rock");
    EXPECT_EQ(Mp3GenreName(79), "Hard Rock");
    EXPECT_EQ(Mp3GenreName(141), "Christian Rock ");
    EXPECT_EQ(Mp3GenreName(147), "Synthpop");
    EXPECT_EQ(Mp3GenreName(148), "");
    EXPECT_EQ(Mp3GenreName(-1), "");
    for (int i = 0; i < kMp3GenreCount; ++i) {
        EXPECT_FALSE(Mp3GenreName(i).empty()) << i;
    }
    EXPECT_EQ(Mp3LayerText(0), "UNDEFINED");
    EXPECT_EQ(Mp3LayerText(1), "Layer III");
    EXPECT_EQ(Mp3LayerText(3), "Layer I");
    EXPECT_EQ(Mp3VersionText(0), "MPEG 2.5");
    EXPECT_EQ(Mp3VersionText(1), "");
    EXPECT_EQ(Mp3VersionText(3), "MPEG 1");
    EXPECT_EQ(Mp3ChannelText(1), "Joint Stereo");
    EXPECT_EQ(Mp3ChannelText(3), "Single Channel");
    EXPECT_EQ(Mp3ChannelText(4), "");
}

// ---------------------------------------------------------------------------
// Tag texts in new names

TEST_F(TagExpanderTest, ControlCharactersOfTagsNeverReachANewName) {
    temp.WriteFile("song.mp3");
    temp.WriteFile("photo.jpg");
    CMp3Info song;
    song.title = "Line\nBreak\tTab\x7F"
                 "Del\x01";
    media.mp3["song.mp3"] = song;
    CExifInfo photo;
    photo.cameraMake = "Make\r\nModel";
    photo.exifPresent = 1;
    media.exif["photo.jpg"] = photo;
    core.GetOptions().name.replaceWithOn = true;
    core.GetOptions().name.replaceWithText = "<MP3:Title><E:CameraMake>";
    Open();
    std::vector<std::string> preview;
    for (std::size_t row = 0; row < core.GetPreviewTexts().GetRowCount(); ++row) {
        preview.push_back(core.GetPreviewTexts().Text(row));
    }
    EXPECT_EQ(preview, (std::vector<std::string>{"Make__Model.jpg", "Line_Break_Tab_Del_.mp3"}));
}
