// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FileCatalogue.h"
#include "engine/ComputationContext.h"
#include "engine/TagCommands.h"
#include "engine/TagExpander.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace tagcommands;

/// One entry of the tag menu. A column tag holds "%" where the display
/// position (counted from 1) of its column goes.
struct CMenuText {
    int id;
    std::string_view text;
    std::optional<ColumnKind> column;
};

constexpr CMenuText kMenuTexts[] = {
    {kCmdNumberDec, "<N>", {}},
    {kCmdNumberDecZ0, "<N:Z0>", {}},
    {kCmdNumberDecZ4, "<N:Z4>", {}},
    {kCmdNumberHex, "<N:B16>", {}},
    {kCmdNumberHexZ0, "<N:B16:Z0>", {}},
    {kCmdNumberHexZ4, "<N:B16:Z4>", {}},
    {kCmdNumberOct, "<N:B8>", {}},
    {kCmdNumberOctZ0, "<N:B8:Z0>", {}},
    {kCmdNumberOctZ4, "<N:B8:Z4>", {}},
    {kCmdNumberBin, "<N:B2>", {}},
    {kCmdNumberBinZ8, "<N:B2:Z8>", {}},
    // The menu entry reads "16 ZeroFill" under Binary, yet it has always
    // inserted the hexadecimal tag with zero fill 8; rule sets rely on that.
    {kCmdNumberBinZ16, "<N:B16:Z8>", {}},

    {kCmdMp3Title, "<MP3:T>", {}},
    {kCmdMp3Artist, "<MP3:A>", {}},
    {kCmdMp3Album, "<MP3:AL>", {}},
    {kCmdMp3Genre, "<MP3:G>", {}},
    {kCmdMp3Year, "<MP3:Y>", {}},
    {kCmdMp3Comment, "<MP3:CM>", {}},
    {kCmdMp3Track, "<MP3:TRK>", {}},
    {kCmdMp3BitRate, "<MP3:B>", {}},
    {kCmdMp3BitRateType, "<MP3:BT>", {}},
    {kCmdMp3SampleRate, "<MP3:SR>", {}},
    {kCmdMp3Length, "<MP3:L>", {}},
    {kCmdMp3Seconds, "<MP3:S>", {}},
    {kCmdMp3Channels, "<MP3:C>", {}},
    {kCmdMp3MpegVersion, "<MP3:MV>", {}},
    {kCmdMp3MpegLayer, "<MP3:ML>", {}},

    {kCmdImageSizeColours, "<G>", {}},
    // Captioned "Breedte x Hoogte x Bits", but it gives the colour
    // abbreviation, as it always has.
    {kCmdImageSizeBits, "<G:W>x<G:H>x<G:c>", {}},
    {kCmdImageWidth, "<G:W>", {}},
    {kCmdImageHeight, "<G:H>", {}},
    {kCmdImageColoursShort, "<G:c>", {}},
    {kCmdImageColours, "<G:C>", {}},
    {kCmdImageBits, "<G:B>", {}},

    {kCmdColumnFileName, "<C:%>", ColumnKind::FileName},
    {kCmdColumnExtension, "<C:%>", ColumnKind::Extension},
    {kCmdColumnType, "<C:%>", ColumnKind::Type},
    {kCmdColumnAttributes, "<C:%>", ColumnKind::Attributes},
    {kCmdColumnSizeBytes, "<C:%>", ColumnKind::Size},
    {kCmdColumnSizeBytesDot, "<C:%:.>", ColumnKind::Size},
    {kCmdColumnSizeBytesComma, "<C:%:,>", ColumnKind::Size},
    {kCmdColumnSizeKBytes, "<C:%:K>", ColumnKind::Size},
    {kCmdColumnSizeKBytesDot, "<C:%:K:.>", ColumnKind::Size},
    {kCmdColumnSizeKBytesComma, "<C:%:K:,>", ColumnKind::Size},
    {kCmdColumnSizeMBytes, "<C:%:M>", ColumnKind::Size},
    {kCmdColumnSizeMBytesDot, "<C:%:M:.>", ColumnKind::Size},
    {kCmdColumnSizeMBytesComma, "<C:%:M:,>", ColumnKind::Size},
    {kCmdColumnPath, "<C:%>", ColumnKind::Folder},
    {kCmdColumnPathFirstFromLeft, "<C:%:1>", ColumnKind::Folder},
    {kCmdColumnPathFirstFromRight, "<C:%:-1>", ColumnKind::Folder},

    {kCmdRandom4, "<R:S4>", {}},
    {kCmdRandom8, "<R>", {}},
    {kCmdRandom16, "<R:S16>", {}},
    {kCmdRandomDigits8, "<R:C0123456789>", {}},

    {kCmdEditorLine, "<T>", {}},

    {kCmdComicExtension, "<CDR>", {}},
    {kCmdComicArchiveExtension, "<CDR:U>", {}},

    {kCmdCrc32Upper, "[<CRC32>]", {}},
    {kCmdCrc32Lower, "[<CRC32:L>]", {}},

    {kCmdShortName, "<SHORTNAME>", {}},
    {kCmdShortNameBase, "<SHORTNAME:Name>", {}},
    {kCmdShortNameExtension, "<SHORTNAME:Ext>", {}},
};

// The EXIF fields in menu order; field i has the id kCmdExifFirst + i.
constexpr std::array<std::string_view, kCmdExifLast - kCmdExifFirst + 1> kExifFields = {
    "Version",        "CameraMake",      "CameraModel",     "Width",         "Height",
    "Orientation",    "IsColor",         "Process",         "FlashUsed",     "FocalLength",
    "ExposureTime",   "ApertureFNumber", "Distance",        "CCDWidth",      "ExposureBias",
    "Whitebalance",   "MeteringMode",    "ExposureProgram", "ISOequivalent", "CompressionLevel",
    "FocalplaneXRes", "FocalplaneYRes",  "FocalplaneUnits", "Xresolution",   "Yresolution",
    "ResolutionUnit", "Brightness",
};

// The nine date pictures of every date submenu; "$" stands for the command
// (D, C:% or E:DateTime).
constexpr std::array<std::string_view, 9> kDateTemplates = {
    "<$>",
    "<$:Y>-<$:M>-<$:D>",
    "<$:D>-<$:M>-<$:Y>",
    "<$:D>-<$:M>-<$:Y2>",
    "<$:M>-<$:D>-<$:Y>",
    "<$:M>-<$:D>-<$:Y2>",
    "<$:H>'<$:MM>",
    "<$:D>-<$:M>-<$:Y> <$:H>'<$:MM>",
    "<$:D>-<$:M>-<$:Y> <$:H>'<$:MM>'<$:S>",
};

struct CDateMenu {
    const DateCommands* commands;
    std::string_view command;
    std::optional<ColumnKind> column;
};

const CDateMenu kDateMenus[] = {
    {&kCmdCreatedDates, "C:%", ColumnKind::Created},
    {&kCmdModifiedDates, "C:%", ColumnKind::Modified},
    {&kCmdAccessedDates, "C:%", ColumnKind::Accessed},
    {&kCmdTodayDates, "D", {}},
    {&kCmdExifDates, "E:DateTime", {}},
};

std::string ReplaceAll(std::string_view text, char placeholder, std::string_view value) {
    std::string result;
    for (const char c : text) {
        if (c == placeholder) {
            result += value;
        } else {
            result += c;
        }
    }
    return result;
}

// The display position of the column of the given kind in the file list,
// -1 when the list has no such column.
int DisplayPosition(const CFileCatalogue& catalogue, ColumnKind kind) {
    const std::vector<int>& order = catalogue.GetColumnOrder();
    for (int index = 0; index < catalogue.GetColumnCount(); ++index) {
        if (catalogue.GetColumn(index).kind != kind) {
            continue;
        }
        for (std::size_t position = 0; position < order.size(); ++position) {
            if (order[position] == index) {
                return static_cast<int>(position);
            }
        }
        return -1;
    }
    return -1;
}

// Puts the column's display position, counted from 1 (0 for a column the
// list does not have), in place of every "%".
std::string FillColumn(std::string_view text, const std::optional<ColumnKind>& column,
                       const CFileCatalogue& catalogue) {
    if (!column) {
        return std::string(text);
    }
    return ReplaceAll(text, '%', std::to_string(DisplayPosition(catalogue, *column) + 1));
}

} // namespace

std::string CTagExpander::TagTextForCommand(int commandId) const {
    const CFileCatalogue& catalogue = owner.GetCatalogue();
    for (const CMenuText& entry : kMenuTexts) {
        if (entry.id == commandId) {
            return FillColumn(entry.text, entry.column, catalogue);
        }
    }
    if (commandId >= kCmdExifFirst && commandId <= kCmdExifLast) {
        return "<E:" +
               std::string(kExifFields[static_cast<std::size_t>(commandId - kCmdExifFirst)]) + ">";
    }
    for (const CDateMenu& menu : kDateMenus) {
        for (std::size_t i = 0; i < menu.commands->size(); ++i) {
            if ((*menu.commands)[i] == commandId) {
                return FillColumn(ReplaceAll(kDateTemplates[i], '$', menu.command), menu.column,
                                  catalogue);
            }
        }
    }
    return {};
}
