// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TagMenuItems.h"

#include "engine/TagCommands.h"

#include <array>
#include <vector>

namespace {

using namespace tagcommands;

// The nine entries every date submenu shows, in menu order.
constexpr std::array<std::string_view, 9> kDateEntries = {
    "JJJJMMDD", "JJJJ-MM-DD",       "DD-MM-JJJJ",          "DD-MM-JJ", "MM-DD-JJJJ", "MM-DD-JJ",
    "UU'MM",    "DD-MM-JJJJ UU'MM", "DD-MM-JJJJ UU'MM'SS",
};

// The EXIF fields after the date submenu, from kCmdExifWidth on.
constexpr std::array<std::string_view, kCmdExifLast - kCmdExifWidth + 1> kExifEntries = {
    "Breedte",
    "Hoogte",
    "Ori:entatie",
    "IsKleur",
    "Proces",
    "FlashGebruikt",
    "Brandpuntsafstand",
    "Belichtingstijd",
    "Diafragma",
    "Afstand",
    "CCDWidth",
    "Belichtingscompensatie",
    "Belichting",
    "Bemeteringsmethode",
    "Belichtingsprogramma",
    "Camera gevoeligheid",
    "Compressieniveau",
    "FocalplaneXRes",
    "FocalplaneYRes",
    "FocalplaneUnits",
    "Xresolutie",
    "Yresolutie",
    "Resolutie-eenheid",
    "Helderheid",
};

class CMenuBuilder {
public:
    CMenuBuilder& Submenu(int depth, std::string_view text, int id = 0) {
        items.push_back({depth, true, id, text});
        return *this;
    }
    CMenuBuilder& Entry(int depth, int id, std::string_view text) {
        items.push_back({depth, false, id, text});
        return *this;
    }
    CMenuBuilder& Dates(int depth, const DateCommands& ids) {
        for (std::size_t i = 0; i < ids.size(); ++i) {
            Entry(depth, ids[i], kDateEntries[i]);
        }
        return *this;
    }
    // "Ongeformatteerd", ". geformatteerd", ", geformatteerd" of one size unit.
    CMenuBuilder& SizeFormats(int depth, int plain, int dot, int comma) {
        return Entry(depth, plain, "Ongeformatteerd")
            .Entry(depth, dot, ". geformatteerd")
            .Entry(depth, comma, ", geformatteerd");
    }
    std::vector<CTagMenuItem> items;
};

std::vector<CTagMenuItem> BuildItems() {
    CMenuBuilder m;
    m.Submenu(0, "Autonummering", kTagSubmenus[0])
        .Submenu(1, "Decimalen")
        .Entry(2, kCmdNumberDec, "Gebruik huidige ZeroFill")
        .Entry(2, kCmdNumberDecZ0, "0 ZeroFill")
        .Entry(2, kCmdNumberDecZ4, "4 ZeroFill")
        .Submenu(1, "Hexadecimaal")
        .Entry(2, kCmdNumberHex, "Gebruik huidige ZeroFill")
        .Entry(2, kCmdNumberHexZ0, "0 ZeroFill")
        .Entry(2, kCmdNumberHexZ4, "4 ZeroFill")
        .Submenu(1, "Octal")
        .Entry(2, kCmdNumberOct, "Gebruik huidige ZeroFill")
        .Entry(2, kCmdNumberOctZ0, "0 ZeroFill")
        .Entry(2, kCmdNumberOctZ4, "4 ZeroFill")
        .Submenu(1, "Binary")
        .Entry(2, kCmdNumberBin, "Gebruik huidige ZeroFill")
        .Entry(2, kCmdNumberBinZ8, "8 ZeroFill")
        .Entry(2, kCmdNumberBinZ16, "16 ZeroFill");

    m.Submenu(0, "MP3", kTagSubmenus[1])
        .Entry(1, kCmdMp3Title, "Titel")
        .Entry(1, kCmdMp3Artist, "Auteur")
        .Entry(1, kCmdMp3Album, "Album")
        .Entry(1, kCmdMp3Genre, "Genre")
        .Entry(1, kCmdMp3Year, "Jaar")
        .Entry(1, kCmdMp3Comment, "Commentaren")
        .Entry(1, kCmdMp3Track, "Track")
        .Entry(1, kCmdMp3BitRate, "Bitrate")
        .Entry(1, kCmdMp3BitRateType, "Bitrate Type")
        .Entry(1, kCmdMp3SampleRate, "Sample rate")
        .Entry(1, kCmdMp3Length, "Lengte")
        .Entry(1, kCmdMp3Seconds, "Seconden")
        .Entry(1, kCmdMp3Channels, "Kanalen")
        .Entry(1, kCmdMp3MpegVersion, "Mpeg versie")
        .Entry(1, kCmdMp3MpegLayer, "Mpeg Layer");

    m.Submenu(0, "Afbeeldingen", kTagSubmenus[2])
        .Entry(1, kCmdImageSizeColours, "Breedte x Hoogte x Kleuren")
        .Entry(1, kCmdImageSizeBits, "Breedte x Hoogte x Bits")
        .Entry(1, kCmdImageWidth, "Breedte")
        .Entry(1, kCmdImageHeight, "Hoogte")
        .Entry(1, kCmdImageColoursShort, "Kleuren (Abreviate)")
        .Entry(1, kCmdImageColours, "Kleuren")
        .Entry(1, kCmdImageBits, "Bits");

    m.Submenu(0, "Gegevenskolom", kTagSubmenus[3])
        .Entry(1, kCmdColumnFileName, "Bestandsnaam")
        .Entry(1, kCmdColumnExtension, "Extensie")
        .Entry(1, kCmdColumnType, "Type")
        .Entry(1, kCmdColumnAttributes, "Attributen")
        .Submenu(1, "Grootte")
        .Submenu(2, "Bytes")
        .SizeFormats(3, kCmdColumnSizeBytes, kCmdColumnSizeBytesDot, kCmdColumnSizeBytesComma)
        .Submenu(2, "KBytes")
        .SizeFormats(3, kCmdColumnSizeKBytes, kCmdColumnSizeKBytesDot, kCmdColumnSizeKBytesComma)
        .Submenu(2, "Mbytes")
        .SizeFormats(3, kCmdColumnSizeMBytes, kCmdColumnSizeMBytesDot, kCmdColumnSizeMBytesComma)
        .Submenu(1, "Pad")
        .Entry(2, kCmdColumnPath, "Compleet pad")
        .Entry(2, kCmdColumnPathFirstFromLeft, "Eerste subpad vanaf links")
        .Entry(2, kCmdColumnPathFirstFromRight, "Eerste subpad vanaf rechts")
        .Submenu(1, "Opgemaakt")
        .Dates(2, kCmdCreatedDates)
        .Submenu(1, "Datum gewijzigd")
        .Dates(2, kCmdModifiedDates)
        .Submenu(1, "Laatst gebruikt")
        .Dates(2, kCmdAccessedDates);

    m.Submenu(0, "Vandaag", kTagSubmenus[4]).Dates(1, kCmdTodayDates);

    m.Submenu(0, "Willekeurige naam", kTagSubmenus[5])
        .Entry(1, kCmdRandom4, "4 tekens lang")
        .Entry(1, kCmdRandom8, "8 tekens lang")
        .Entry(1, kCmdRandom16, "16 tekens lang")
        .Entry(1, kCmdRandomDigits8, "8 tekens lang met alleen cijfers");

    m.Submenu(0, "Gegevens van een extern bestand", kTagSubmenus[6])
        .Entry(1, kCmdEditorLine, "Voeg lijn in uit de tekstverwerker");

    m.Submenu(0, "CDisplay Comic Reader", kTagSubmenus[7])
        .Entry(1, kCmdComicExtension, "zip > cbz | rar > cbr")
        .Entry(1, kCmdComicArchiveExtension, "cbz > zip | cbr > rar");

    m.Submenu(0, "CRC32", kTagSubmenus[8])
        .Entry(1, kCmdCrc32Upper, "CRC32 [Hoofdletters]")
        .Entry(1, kCmdCrc32Lower, "CRC 32 [kleine letters]");

    m.Submenu(0, "EXIF", kTagSubmenus[9])
        .Entry(1, kCmdExifFirst, "Versie")
        .Entry(1, kCmdExifFirst + 1, "CameraMake")
        .Entry(1, kCmdExifFirst + 2, "CameraModel")
        .Submenu(1, "DatumTijd")
        .Dates(2, kCmdExifDates);
    for (std::size_t i = 0; i < kExifEntries.size(); ++i) {
        m.Entry(1, kCmdExifWidth + static_cast<int>(i), kExifEntries[i]);
    }

    // The first and the third entry share their caption.
    m.Submenu(0, "DOS", kTagSubmenus[10])
        .Entry(1, kCmdShortName, "Korte naam [8.3 DOS] Naam + Extensie")
        .Entry(1, kCmdShortNameBase, "Korte naam [8.3 DOS] Naam")
        .Entry(1, kCmdShortNameExtension, "Korte naam [8.3 DOS] Naam + Extensie");
    return std::move(m.items);
}

} // namespace

std::span<const CTagMenuItem> TagMenuItems() {
    static const std::vector<CTagMenuItem> items = BuildItems();
    return items;
}

std::string_view TagSubmenuFormats(int submenuId) {
    if (submenuId == kTagSubmenus[1]) {
        return "Leest MP3, FLAC, Ogg, Opus, M4A, WMA, WAV, AIFF, APE en WavPack";
    }
    if (submenuId == kTagSubmenus[2]) {
        return "Leest BMP, PNG, GIF, JPEG, ICO, CUR, TGA, PSD, PCX, IFF, HEIC, AVIF, WebP, "
               "JPEG XL en RAW";
    }
    if (submenuId == kTagSubmenus[9]) {
        // Short enough that the submenu keeps its width on a small screen;
        // the manual names every extension.
        return "Leest JPEG, HEIC, AVIF, WebP, PNG, JPEG XL, RAW; van video's datum en camera";
    }
    return {};
}
