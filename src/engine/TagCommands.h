// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

/// Command ids of the tag menu (popup "2-Tags" of menu 134). Each entry
/// inserts the tag text that CTagExpander::TagTextForCommand gives for it.
namespace tagcommands {

// Autonumber: decimal, hexadecimal, octal and binary.
constexpr int kCmdNumberDec = 32792;
constexpr int kCmdNumberDecZ0 = 32793;
constexpr int kCmdNumberDecZ4 = 32794;
constexpr int kCmdNumberHex = 32795;
constexpr int kCmdNumberHexZ0 = 32796;
constexpr int kCmdNumberHexZ4 = 32797;
constexpr int kCmdNumberOct = 32798;
constexpr int kCmdNumberOctZ0 = 32799;
constexpr int kCmdNumberOctZ4 = 32800;
constexpr int kCmdNumberBin = 32801;
constexpr int kCmdNumberBinZ8 = 32802;
constexpr int kCmdNumberBinZ16 = 32803; // inserts the hexadecimal tag with zero fill 8

// MP3.
constexpr int kCmdMp3Title = 32785;
constexpr int kCmdMp3Artist = 32786;
constexpr int kCmdMp3Album = 32787;
constexpr int kCmdMp3Comment = 32788;
constexpr int kCmdMp3Year = 32789;
constexpr int kCmdMp3BitRate = 32930;
constexpr int kCmdMp3SampleRate = 32931;
constexpr int kCmdMp3Length = 32932;
constexpr int kCmdMp3Seconds = 32933;
constexpr int kCmdMp3Channels = 32934;
constexpr int kCmdMp3MpegVersion = 32935;
constexpr int kCmdMp3MpegLayer = 32936;
constexpr int kCmdMp3BitRateType = 32937;
constexpr int kCmdMp3Genre = 32938;
constexpr int kCmdMp3Track = 32939;

// Images.
constexpr int kCmdImageSizeColours = 32804;
constexpr int kCmdImageSizeBits = 32805;
constexpr int kCmdImageWidth = 32806;
constexpr int kCmdImageHeight = 32807;
constexpr int kCmdImageColoursShort = 32808;
constexpr int kCmdImageColours = 32809;
constexpr int kCmdImageBits = 32810;

// Data columns (inserted with the column's current display position).
constexpr int kCmdColumnFileName = 32811;
constexpr int kCmdColumnSizeBytes = 32812;
constexpr int kCmdColumnSizeBytesComma = 32813;
constexpr int kCmdColumnSizeBytesDot = 32815;
constexpr int kCmdColumnSizeKBytes = 32818;
constexpr int kCmdColumnSizeKBytesDot = 32819;
constexpr int kCmdColumnSizeKBytesComma = 32820;
constexpr int kCmdColumnSizeMBytes = 32821;
constexpr int kCmdColumnSizeMBytesDot = 32822;
constexpr int kCmdColumnSizeMBytesComma = 32823;
constexpr int kCmdColumnExtension = 32824;
constexpr int kCmdColumnType = 32825;
constexpr int kCmdColumnAttributes = 32826;
constexpr int kCmdColumnPath = 32827;
constexpr int kCmdColumnPathFirstFromLeft = 32987;
constexpr int kCmdColumnPathFirstFromRight = 32988;

// Random names.
constexpr int kCmdRandom4 = 32866;
constexpr int kCmdRandom8 = 32867;
constexpr int kCmdRandom16 = 32868;
constexpr int kCmdRandomDigits8 = 32940;

// A line of the text editor.
constexpr int kCmdEditorLine = 32888;

// Comic-reader extensions.
constexpr int kCmdComicExtension = 32897;        // zip > cbz, rar > cbr
constexpr int kCmdComicArchiveExtension = 32898; // cbz > zip, cbr > rar

// CRC-32.
constexpr int kCmdCrc32Upper = 32945;
constexpr int kCmdCrc32Lower = 32946;

// 8.3 short names.
constexpr int kCmdShortNameExtension = 32990;
constexpr int kCmdShortName = 32991;
constexpr int kCmdShortNameBase = 32992;

// EXIF fields: one id per field, from kCmdExifFirst to kCmdExifLast.
constexpr int kCmdExifFirst = 32951; // "<E:Version>"
constexpr int kCmdExifWidth = 32954;
constexpr int kCmdExifLast = 32977; // "<E:Brightness>"

/// The nine date entries of each date submenu, in menu order ("JJJJMMDD",
/// "JJJJ-MM-DD", "DD-MM-JJJJ", "DD-MM-JJ", "MM-DD-JJJJ", "MM-DD-JJ",
/// "UU'MM", "DD-MM-JJJJ UU'MM", "DD-MM-JJJJ UU'MM'SS").
using DateCommands = std::array<int, 9>;
constexpr DateCommands kCmdCreatedDates = {32837, 32838, 32830, 32832, 32831,
                                           32833, 32834, 32835, 32836};
constexpr DateCommands kCmdModifiedDates = {32839, 32840, 32841, 32842, 32843,
                                            32844, 32845, 32846, 32847};
constexpr DateCommands kCmdAccessedDates = {32848, 32849, 32850, 32851, 32852,
                                            32853, 32854, 32855, 32856};
constexpr DateCommands kCmdTodayDates = {32857, 32858, 32859, 32860, 32861,
                                         32862, 32863, 32864, 32865};
constexpr DateCommands kCmdExifDates = {32978, 32979, 32980, 32981, 32982,
                                        32983, 32984, 32985, 32986};

/// The ids of the eleven submenus of the tag menu, in menu order
/// ("Autonummering", "MP3", "Afbeeldingen", "Gegevenskolom", "Vandaag",
/// "Willekeurige naam", "Gegevens van een extern bestand", "CDisplay Comic
/// Reader", "CRC32", "EXIF", "DOS"). They insert nothing.
constexpr std::array<int, 11> kTagSubmenus = {32870, 32877, 32875, 32871, 32873, 32869,
                                              32872, 32900, 32947, 32950, 32993};

} // namespace tagcommands
