// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

/// The facts a camera stores in a JPEG file: the frame size from the
/// start-of-frame header, the first comment section, and the camera data of
/// the EXIF block of an APP1 section. Integers are signed 32-bit, real
/// numbers 32-bit floats. Texts hold at most the number of characters their
/// limit gives (the bytes of the file, copied up to a zero byte; a character
/// is one UTF-8 sequence, or one byte that is not part of one).
struct CExifInfo {
    static constexpr std::size_t kMaxVersion = 4;
    static constexpr std::size_t kMaxCameraMake = 31;
    static constexpr std::size_t kMaxCameraModel = 39;
    static constexpr std::size_t kMaxDateTime = 19;
    static constexpr std::size_t kMaxComments = 999;

    std::string version;          ///< ExifVersion (0x9000): its first 4 bytes
    std::string cameraMake;       ///< Make (0x010F)
    std::string cameraModel;      ///< Model (0x0110)
    std::string dateTime;         ///< DateTimeOriginal (0x9003), normally YYYY:MM:DD HH:MM:SS
    int32_t height = 0;           ///< start-of-frame: number of lines
    int32_t width = 0;            ///< start-of-frame: samples per line
    int32_t orientation = 0;      ///< Orientation (0x0112); 0 when outside 1..8
    int32_t isColor = 0;          ///< 1 when the frame has 3 components
    int32_t process = 0;          ///< marker code of the start-of-frame section (192, 194, ...)
    int32_t flashUsed = 0;        ///< Flash (0x9209): 1 when any of its three lowest bits is set
    float focalLength = 0;        ///< FocalLength (0x920A), millimetres
    float exposureTime = 0;       ///< ExposureTime (0x829A), or 1 / 2^ShutterSpeedValue
    float apertureFNumber = 0;    ///< FNumber (0x829D), or 2^(ApertureValue / 2)
    float distance = 0;           ///< SubjectDistance (0x9206), metres
    float ccdWidth = 0;           ///< exifImageWidth × focalPlaneUnits / focalPlaneXRes, inches
    float exposureBias = 0;       ///< ExposureBiasValue (0x9204)
    int32_t whiteBalance = 0;     ///< LightSource (0x9208)
    int32_t meteringMode = 0;     ///< MeteringMode (0x9207)
    int32_t exposureProgram = 0;  ///< ExposureProgram (0x8822)
    int32_t isoEquivalent = 0;    ///< ISOSpeedRatings (0x8827); below 50 multiplied by 200
    int32_t compressionLevel = 0; ///< CompressedBitsPerPixel (0x9102), fraction cut off
    float focalPlaneXRes = 0;     ///< FocalPlaneXResolution (0xA20E)
    float focalPlaneYRes = 0;     ///< FocalPlaneYResolution (0xA20F)
    float focalPlaneUnits = 0;    ///< FocalPlaneResolutionUnit (0xA210) as inches per unit
    float xResolution = 0;        ///< XResolution (0x011A)
    float yResolution = 0;        ///< YResolution (0x011B)
    float resolutionUnit = 0;     ///< ResolutionUnit (0x0128) as inches per unit
    float brightness = 0;         ///< BrightnessValue (0x9203)
    std::string comments;         ///< the first COM section, or UserComment (0x9286)
    uint8_t exifPresent = 0;      ///< 1 when the last EXIF block of the file was read (a broken
                                  ///< link skips only the directory it links to)
};

/// The reader of one JPEG file: walks the marker sections up to the start of
/// the image data and fills a CExifInfo. It never shows a message; the text
/// of the last error it met stays in lastError. Any bytes may be given to
/// it: every offset and count of the file is checked against the section it
/// lies in, and the walk through the EXIF directories ends on any file.
class CExifReader {
public:
    /// Fills info in place (not owned); with null the reader makes a cleared
    /// record of its own.
    explicit CExifReader(CExifInfo* info = nullptr);
    ~CExifReader();
    CExifReader(const CExifReader&) = delete;
    CExifReader& operator=(const CExifReader&) = delete;

    /// Reads the sections of an open file positioned at its start. True when
    /// the file is a JPEG file whose sections could be read up to the start
    /// of the image data; whether it held EXIF data says info.exifPresent.
    /// Only the fields found in the file are written: a caller that wants a
    /// record of this file alone starts from a cleared one.
    bool ReadSections(std::istream& file);

    /// Reads an EXIF block given as its bare TIFF bytes (the byte order mark
    /// first), by the same rules as the EXIF section of a JPEG file; sets
    /// info.exifPresent as that would. For files of other formats, whose
    /// EXIF block another reader found.
    void ReadTiffBlock(const uint8_t* data, std::size_t size);

    CExifInfo& Info() { return *info; }
    /// The last error met ("Incorrect Exif header", ...); empty when none.
    const std::string& LastError() const { return lastError; }

    /// At most this many sections are stored per file (the start of scan
    /// included); more fail the read.
    static constexpr std::size_t kMaxSections = 20;
    /// At most this many directories are read per EXIF block; a link to a
    /// further one, or to one already read (a loop), is not followed.
    static constexpr std::size_t kMaxDirectories = 32;
    /// At most this many directory entries are handled per EXIF block; the
    /// entries and links after them are left alone.
    static constexpr std::size_t kMaxEntries = 4096;

private:
    /// One stored section: a copy of it including its two length bytes.
    struct CSection {
        std::vector<uint8_t> data;
        int marker = 0;
    };
    /// The TIFF block of an EXIF section: every offset inside the EXIF data
    /// counts from its start, and nothing may point outside it.
    struct CBlock {
        const uint8_t* data = nullptr;
        std::size_t size = 0;
    };

    void ReadFrameHeader(const CSection& section);
    void ReadComment(const CSection& section);
    bool ParseExifBlock(const CSection& section);
    bool ReadDirectory(const CBlock& block, std::size_t start);
    /// A link to a sub-directory or to the next directory.
    bool FollowLink(const CBlock& block, uint32_t offset);
    /// The entry count and the entries at start lie inside the block.
    bool DirectoryFits(const CBlock& block, std::size_t start) const;
    void HandleTag(uint16_t tag, int format, const uint8_t* value, std::size_t byteCount);
    void ReadUserComment(const uint8_t* value, std::size_t byteCount);
    double ValueAsNumber(const uint8_t* value, std::size_t byteCount, int format) const;
    uint16_t Get16(const uint8_t* bytes) const;
    uint32_t Get32(const uint8_t* bytes) const;

    std::unique_ptr<CExifInfo> ownedInfo;
    CExifInfo* info;
    std::string lastError;
    int32_t exifImageWidth = 0;
    bool motorolaOrder = false;
    std::vector<CSection> sections;
    /// Start offsets of the directories read in the current EXIF block.
    std::vector<std::size_t> directoriesRead;
    std::size_t entriesLeft = 0;
};

/// The EXIF facts of a file. Keeps the path, the file's size and times and
/// the result of the last call, so that asking again for the same path
/// (exact comparison) gives the same answer without reading the file, as
/// long as the file at that path has the same size and times. True when the
/// file is a JPEG file whose sections could be read; info is then filled
/// (see exifPresent) and otherwise cleared.
bool ReadExifInfo(const std::string& path, CExifInfo& info);
