// SPDX-License-Identifier: GPL-3.0-or-later
// The names of the ID3v1 genres and of the two-bit fields of an MPEG audio
// frame header.
#include "media/Mp3Reader.h"

#include <array>

namespace {

// The ID3v1 genres with their usual extensions, numbered 0 to 147.
constexpr std::array<std::string_view, kMp3GenreCount> kGenres = {
    "Blues",
    "Classic Rock",
    "Country",
    "Dance",
    "Disco",
    "Funk",
    "Grunge",
    "Hip-Hop",
    "Jazz",
    "Metal",
    "New Age",
    "Oldies",
    "Other",
    "Pop",
    "R&B",
    "Rap",
    "Reggae",
    "Rock",
    "Techno",
    "Industrial",
    "Alternative",
    "Ska",
    "Death Metal",
    "Pranks",
    "Soundtrack",
    "Euro-Techno",
    "Ambient",
    "Trip-Hop",
    "Vocal",
    "Jazz+Funk",
    "Fusion",
    "Trance",
    "Classical",
    "Instrumental",
    "Acid",
    "House",
    "Game",
    "Sound Clip",
    "Gospel",
    "Noise",
    "AlternRock",
    "Bass",
    "Soul",
    "Punk",
    "Space",
    "Meditative",
    "Instrumental Pop",
    "Instrumental Rock",
    "Ethnic",
    "Gothic",
    "Darkwave",
    "Techno-Industrial",
    "Electronic",
    "Pop-Folk",
    "Eurodance",
    "Dream",
    "Southern Rock",
    "Comedy",
    "Cult",
    "Gangsta",
    "Top 40",
    "Christian Rap",
    "Pop/Funk",
    "Jungle",
    "Native American",
    "Cabaret",
    "New Wave",
    "Psychadelic",
    "Rave",
    "Showtunes",
    "Trailer",
    "Lo-Fi",
    "Tribal",
    "Acid Punk",
    "Acid Jazz",
    "Polka",
    "Retro",
    "Musical",
    "Rock & Roll",
    "Hard Rock",
    "Folk",
    "Folk-Rock",
    "National Folk",
    "Swing",
    "Fast Fusion",
    "Bebob",
    "Latin",
    "Revival",
    "Celtic",
    "Bluegrass",
    "Avantgarde",
    "Gothic Rock",
    "Progressive Rock",
    "Psychedelic Rock",
    "Symphonic Rock",
    "Slow Rock",
    "Big Band",
    "Chorus",
    "Easy Listening",
    "Acoustic",
    "Humour",
    "Speech",
    "Chanson",
    "Opera",
    "Chamber Music",
    "Sonata",
    "Symphony",
    "Booty Bass",
    "Primus",
    "Porn Groove",
    "Satire",
    "Slow Jam",
    "Club",
    "Tango",
    "Samba",
    "Folklore",
    "Ballad",
    "Power Ballad",
    "Rhythmic Soul",
    "Freestyle",
    "Duet",
    "Punk Rock",
    "Drum Solo",
    "A capella",
    "Euro-House",
    "Dance Hall",
    "Goa",
    "Drum & Bass",
    "Club-House",
    "Hardcore",
    "Terror",
    "Indie",
    "Britpop",
    "Negerpunk",
    "Polsk Punk",
    "Beat",
    "Christian Gangsta Rap",
    "Heavy Metal",
    "Black Metal",
    "Crossover",
    "Contemporary Christian",
    "Christian Rock ", // the trailing blank belongs to the name
    "Merengue",
    "Salsa",
    "Trash Metal",
    "Anime",
    "JPop",
    "Synthpop",
};

} // namespace

std::string_view Mp3GenreName(int number) {
    if (number < 0 || number >= kMp3GenreCount) {
        return {};
    }
    return kGenres[static_cast<std::size_t>(number)];
}

std::string_view Mp3LayerText(int layerCode) {
    switch (layerCode) {
    case 0:
        return "UNDEFINED";
    case 1:
        return "Layer III";
    case 2:
        return "Layer II";
    case 3:
        return "Layer I";
    default:
        return {};
    }
}

std::string_view Mp3VersionText(int versionCode) {
    switch (versionCode) {
    case 0:
        return "MPEG 2.5";
    case 2:
        return "MPEG 2";
    case 3:
        return "MPEG 1";
    default:
        return {};
    }
}

std::string_view Mp3ChannelText(int channelMode) {
    switch (channelMode) {
    case 0:
        return "Stereo";
    case 1:
        return "Joint Stereo";
    case 2:
        return "Dual Channel";
    case 3:
        return "Single Channel";
    default:
        return {};
    }
}
