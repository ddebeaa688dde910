// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TagMenuItems.h"

#include "engine/TagCommands.h"

#include <QtGlobal>

#include <array>
#include <vector>

namespace {

using namespace tagcommands;

// The nine entries every date submenu shows, in menu order.
constexpr std::array<std::string_view, 9> kDateEntries = {
    QT_TRANSLATE_NOOP("Window", "JJJJMMDD"),
    QT_TRANSLATE_NOOP("Window", "JJJJ-MM-DD"),
    QT_TRANSLATE_NOOP("Window", "DD-MM-JJJJ"),
    QT_TRANSLATE_NOOP("Window", "DD-MM-JJ"),
    QT_TRANSLATE_NOOP("Window", "MM-DD-JJJJ"),
    QT_TRANSLATE_NOOP("Window", "MM-DD-JJ"),
    QT_TRANSLATE_NOOP("Window", "UU'MM"),
    QT_TRANSLATE_NOOP("Window", "DD-MM-JJJJ UU'MM"),
    QT_TRANSLATE_NOOP("Window", "DD-MM-JJJJ UU'MM'SS"),
};

// The EXIF fields after the date submenu, from kCmdExifWidth on.
constexpr std::array<std::string_view, kCmdExifLast - kCmdExifWidth + 1> kExifEntries = {
    QT_TRANSLATE_NOOP("Window", "Breedte"),
    QT_TRANSLATE_NOOP("Window", "Hoogte"),
    QT_TRANSLATE_NOOP("Window", "Ori:entatie"),
    QT_TRANSLATE_NOOP("Window", "IsKleur"),
    QT_TRANSLATE_NOOP("Window", "Proces"),
    QT_TRANSLATE_NOOP("Window", "FlashGebruikt"),
    QT_TRANSLATE_NOOP("Window", "Brandpuntsafstand"),
    QT_TRANSLATE_NOOP("Window", "Belichtingstijd"),
    QT_TRANSLATE_NOOP("Window", "Diafragma"),
    QT_TRANSLATE_NOOP("Window", "Afstand"),
    QT_TRANSLATE_NOOP("Window", "CCDWidth"),
    QT_TRANSLATE_NOOP("Window", "Belichtingscompensatie"),
    QT_TRANSLATE_NOOP("Window", "Belichting"),
    QT_TRANSLATE_NOOP("Window", "Bemeteringsmethode"),
    QT_TRANSLATE_NOOP("Window", "Belichtingsprogramma"),
    QT_TRANSLATE_NOOP("Window", "Camera gevoeligheid"),
    QT_TRANSLATE_NOOP("Window", "Compressieniveau"),
    QT_TRANSLATE_NOOP("Window", "FocalplaneXRes"),
    QT_TRANSLATE_NOOP("Window", "FocalplaneYRes"),
    QT_TRANSLATE_NOOP("Window", "FocalplaneUnits"),
    QT_TRANSLATE_NOOP("Window", "Xresolutie"),
    QT_TRANSLATE_NOOP("Window", "Yresolutie"),
    QT_TRANSLATE_NOOP("Window", "Resolutie-eenheid"),
    QT_TRANSLATE_NOOP("Window", "Helderheid"),
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
        return Entry(depth, plain, QT_TRANSLATE_NOOP("Window", "Ongeformatteerd"))
            .Entry(depth, dot, QT_TRANSLATE_NOOP("Window", ". geformatteerd"))
            .Entry(depth, comma, QT_TRANSLATE_NOOP("Window", ", geformatteerd"));
    }
    std::vector<CTagMenuItem> items;
};

std::vector<CTagMenuItem> BuildItems() {
    CMenuBuilder m;
    m.Submenu(0, QT_TRANSLATE_NOOP("Window", "Autonummering"), kTagSubmenus[0])
        .Submenu(1, QT_TRANSLATE_NOOP("Window", "Decimalen"))
        .Entry(2, kCmdNumberDec, QT_TRANSLATE_NOOP("Window", "Gebruik huidige ZeroFill"))
        .Entry(2, kCmdNumberDecZ0, QT_TRANSLATE_NOOP("Window", "0 ZeroFill"))
        .Entry(2, kCmdNumberDecZ4, QT_TRANSLATE_NOOP("Window", "4 ZeroFill"))
        .Submenu(1, QT_TRANSLATE_NOOP("Window", "Hexadecimaal"))
        .Entry(2, kCmdNumberHex, QT_TRANSLATE_NOOP("Window", "Gebruik huidige ZeroFill"))
        .Entry(2, kCmdNumberHexZ0, QT_TRANSLATE_NOOP("Window", "0 ZeroFill"))
        .Entry(2, kCmdNumberHexZ4, QT_TRANSLATE_NOOP("Window", "4 ZeroFill"))
        .Submenu(1, QT_TRANSLATE_NOOP("Window", "Octal"))
        .Entry(2, kCmdNumberOct, QT_TRANSLATE_NOOP("Window", "Gebruik huidige ZeroFill"))
        .Entry(2, kCmdNumberOctZ0, QT_TRANSLATE_NOOP("Window", "0 ZeroFill"))
        .Entry(2, kCmdNumberOctZ4, QT_TRANSLATE_NOOP("Window", "4 ZeroFill"))
        .Submenu(1, QT_TRANSLATE_NOOP("Window", "Binary"))
        .Entry(2, kCmdNumberBin, QT_TRANSLATE_NOOP("Window", "Gebruik huidige ZeroFill"))
        .Entry(2, kCmdNumberBinZ8, QT_TRANSLATE_NOOP("Window", "8 ZeroFill"))
        .Entry(2, kCmdNumberBinZ16, QT_TRANSLATE_NOOP("Window", "16 ZeroFill"));

    m.Submenu(0, QT_TRANSLATE_NOOP("Window", "MP3"), kTagSubmenus[1])
        .Entry(1, kCmdMp3Title, QT_TRANSLATE_NOOP("Window", "Titel"))
        .Entry(1, kCmdMp3Artist, QT_TRANSLATE_NOOP("Window", "Auteur"))
        .Entry(1, kCmdMp3Album, QT_TRANSLATE_NOOP("Window", "Album"))
        .Entry(1, kCmdMp3Genre, QT_TRANSLATE_NOOP("Window", "Genre"))
        .Entry(1, kCmdMp3Year, QT_TRANSLATE_NOOP("Window", "Jaar"))
        .Entry(1, kCmdMp3Comment, QT_TRANSLATE_NOOP("Window", "Commentaren"))
        .Entry(1, kCmdMp3Track, QT_TRANSLATE_NOOP("Window", "Track"))
        .Entry(1, kCmdMp3BitRate, QT_TRANSLATE_NOOP("Window", "Bitrate"))
        .Entry(1, kCmdMp3BitRateType, QT_TRANSLATE_NOOP("Window", "Bitrate Type"))
        .Entry(1, kCmdMp3SampleRate, QT_TRANSLATE_NOOP("Window", "Sample rate"))
        .Entry(1, kCmdMp3Length, QT_TRANSLATE_NOOP("Window", "Lengte"))
        .Entry(1, kCmdMp3Seconds, QT_TRANSLATE_NOOP("Window", "Seconden"))
        .Entry(1, kCmdMp3Channels, QT_TRANSLATE_NOOP("Window", "Kanalen"))
        .Entry(1, kCmdMp3MpegVersion, QT_TRANSLATE_NOOP("Window", "Mpeg versie"))
        .Entry(1, kCmdMp3MpegLayer, QT_TRANSLATE_NOOP("Window", "Mpeg Layer"));

    m.Submenu(0, QT_TRANSLATE_NOOP("Window", "Afbeeldingen"), kTagSubmenus[2])
        .Entry(1, kCmdImageSizeColours, QT_TRANSLATE_NOOP("Window", "Breedte x Hoogte x Kleuren"))
        .Entry(1, kCmdImageSizeBits, QT_TRANSLATE_NOOP("Window", "Breedte x Hoogte x Bits"))
        .Entry(1, kCmdImageWidth, QT_TRANSLATE_NOOP("Window", "Breedte"))
        .Entry(1, kCmdImageHeight, QT_TRANSLATE_NOOP("Window", "Hoogte"))
        .Entry(1, kCmdImageColoursShort, QT_TRANSLATE_NOOP("Window", "Kleuren (Abreviate)"))
        .Entry(1, kCmdImageColours, QT_TRANSLATE_NOOP("Window", "Kleuren"))
        .Entry(1, kCmdImageBits, QT_TRANSLATE_NOOP("Window", "Bits"));

    m.Submenu(0, QT_TRANSLATE_NOOP("Window", "Gegevenskolom"), kTagSubmenus[3])
        .Entry(1, kCmdColumnFileName, QT_TRANSLATE_NOOP("Window", "Bestandsnaam"))
        .Entry(1, kCmdColumnExtension, QT_TRANSLATE_NOOP("Window", "Extensie"))
        .Entry(1, kCmdColumnType, QT_TRANSLATE_NOOP("Window", "Type"))
        .Entry(1, kCmdColumnAttributes, QT_TRANSLATE_NOOP("Window", "Attributen"))
        .Submenu(1, QT_TRANSLATE_NOOP("Window", "Grootte"))
        .Submenu(2, QT_TRANSLATE_NOOP("Window", "Bytes"))
        .SizeFormats(3, kCmdColumnSizeBytes, kCmdColumnSizeBytesDot, kCmdColumnSizeBytesComma)
        .Submenu(2, QT_TRANSLATE_NOOP("Window", "KBytes"))
        .SizeFormats(3, kCmdColumnSizeKBytes, kCmdColumnSizeKBytesDot, kCmdColumnSizeKBytesComma)
        .Submenu(2, QT_TRANSLATE_NOOP("Window", "Mbytes"))
        .SizeFormats(3, kCmdColumnSizeMBytes, kCmdColumnSizeMBytesDot, kCmdColumnSizeMBytesComma)
        .Submenu(1, QT_TRANSLATE_NOOP("Window", "Pad"))
        .Entry(2, kCmdColumnPath, QT_TRANSLATE_NOOP("Window", "Compleet pad"))
        .Entry(2, kCmdColumnPathFirstFromLeft,
               QT_TRANSLATE_NOOP("Window", "Eerste subpad vanaf links"))
        .Entry(2, kCmdColumnPathFirstFromRight,
               QT_TRANSLATE_NOOP("Window", "Eerste subpad vanaf rechts"))
        .Submenu(1, QT_TRANSLATE_NOOP("Window", "Opgemaakt"))
        .Dates(2, kCmdCreatedDates)
        .Submenu(1, QT_TRANSLATE_NOOP("Window", "Datum gewijzigd"))
        .Dates(2, kCmdModifiedDates)
        .Submenu(1, QT_TRANSLATE_NOOP("Window", "Laatst gebruikt"))
        .Dates(2, kCmdAccessedDates);

    m.Submenu(0, QT_TRANSLATE_NOOP("Window", "Vandaag"), kTagSubmenus[4]).Dates(1, kCmdTodayDates);

    m.Submenu(0, QT_TRANSLATE_NOOP("Window", "Willekeurige naam"), kTagSubmenus[5])
        .Entry(1, kCmdRandom4, QT_TRANSLATE_NOOP("Window", "4 tekens lang"))
        .Entry(1, kCmdRandom8, QT_TRANSLATE_NOOP("Window", "8 tekens lang"))
        .Entry(1, kCmdRandom16, QT_TRANSLATE_NOOP("Window", "16 tekens lang"))
        .Entry(1, kCmdRandomDigits8,
               QT_TRANSLATE_NOOP("Window", "8 tekens lang met alleen cijfers"));

    m.Submenu(0, QT_TRANSLATE_NOOP("Window", "Gegevens van een extern bestand"), kTagSubmenus[6])
        .Entry(1, kCmdEditorLine,
               QT_TRANSLATE_NOOP("Window", "Voeg lijn in uit de tekstverwerker"));

    m.Submenu(0, QT_TRANSLATE_NOOP("Window", "CDisplay Comic Reader"), kTagSubmenus[7])
        .Entry(1, kCmdComicExtension, QT_TRANSLATE_NOOP("Window", "zip > cbz | rar > cbr"))
        .Entry(1, kCmdComicArchiveExtension, QT_TRANSLATE_NOOP("Window", "cbz > zip | cbr > rar"));

    m.Submenu(0, QT_TRANSLATE_NOOP("Window", "CRC32"), kTagSubmenus[8])
        .Entry(1, kCmdCrc32Upper, QT_TRANSLATE_NOOP("Window", "CRC32 [Hoofdletters]"))
        .Entry(1, kCmdCrc32Lower, QT_TRANSLATE_NOOP("Window", "CRC 32 [kleine letters]"));

    m.Submenu(0, QT_TRANSLATE_NOOP("Window", "EXIF"), kTagSubmenus[9])
        .Entry(1, kCmdExifFirst, QT_TRANSLATE_NOOP("Window", "Versie"))
        .Entry(1, kCmdExifFirst + 1, QT_TRANSLATE_NOOP("Window", "CameraMake"))
        .Entry(1, kCmdExifFirst + 2, QT_TRANSLATE_NOOP("Window", "CameraModel"))
        .Submenu(1, QT_TRANSLATE_NOOP("Window", "DatumTijd"))
        .Dates(2, kCmdExifDates);
    for (std::size_t i = 0; i < kExifEntries.size(); ++i) {
        m.Entry(1, kCmdExifWidth + static_cast<int>(i), kExifEntries[i]);
    }

    // The first and the third entry share their caption.
    m.Submenu(0, QT_TRANSLATE_NOOP("Window", "DOS"), kTagSubmenus[10])
        .Entry(1, kCmdShortName,
               QT_TRANSLATE_NOOP("Window", "Korte naam [8.3 DOS] Naam + Extensie"))
        .Entry(1, kCmdShortNameBase, QT_TRANSLATE_NOOP("Window", "Korte naam [8.3 DOS] Naam"))
        .Entry(1, kCmdShortNameExtension,
               QT_TRANSLATE_NOOP("Window", "Korte naam [8.3 DOS] Naam + Extensie"));
    return std::move(m.items);
}

} // namespace

std::span<const CTagMenuItem> TagMenuItems() {
    static const std::vector<CTagMenuItem> items = BuildItems();
    return items;
}

std::string_view TagSubmenuFormats(int submenuId) {
    if (submenuId == kTagSubmenus[1]) {
        return QT_TRANSLATE_NOOP("Window",
                                 "Leest MP3, FLAC, Ogg, Opus, M4A, WMA, WAV, AIFF, APE en WavPack");
    }
    if (submenuId == kTagSubmenus[2]) {
        return QT_TRANSLATE_NOOP(
            "Window", "Leest BMP, PNG, GIF, JPEG, ICO, CUR, TGA, PSD, PCX, IFF, HEIC, AVIF, WebP, "
                      "JPEG XL en RAW");
    }
    if (submenuId == kTagSubmenus[9]) {
        // Short enough that the submenu keeps its width on a small screen;
        // the manual names every extension.
        return QT_TRANSLATE_NOOP(
            "Window",
            "Leest JPEG, HEIC, AVIF, WebP, PNG, JPEG XL, RAW; van video's datum en camera");
    }
    return {};
}
