// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Crc32.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CComputationContext;
class CMediaReaders;
namespace tags {
class CTagParams;
}

/// Seeds the generator of the random tag ("<R>"), which gives values 0 to
/// 32767. The program seeds it once at start-up from the clock; a test seeds
/// it with a fixed value to get the same texts every run.
void SeedTagRandom(uint32_t seed);

/// Expands the tags of rule texts ("<N>", "<C:1>", "<E:DateTime:Y>", ...)
/// for the entry whose name is being computed. It reads the state of the
/// running computation, the entry and the file list from its context and
/// never changes them; a long reading reports its progress there, which may
/// cancel the computation.
class CTagExpander {
public:
    /// context must outlive the expander.
    explicit CTagExpander(CComputationContext& context);
    ~CTagExpander();
    CTagExpander(const CTagExpander&) = delete;
    CTagExpander& operator=(const CTagExpander&) = delete;

    /// The replacement of one tag: tag is the text between "<" and ">",
    /// without the brackets. A tag that is unknown, whose parameters do not
    /// fit or whose data cannot be read gives the empty text.
    std::string EvaluateTag(std::string_view tag);

    /// The text the tag menu inserts for a command id; empty for an id that
    /// is not a tag command.
    std::string TagTextForCommand(int commandId) const;

    /// The text a rule text becomes when it holds a "<" without a ">".
    const std::string& ErrorText() const { return errorText; }

    /// The readers of file contents that the image, MP3 and EXIF tags use.
    /// Not owned; null goes back to the real readers.
    void SetMediaReaders(CMediaReaders* readers);

private:
    std::string NumberTag(tags::CTagParams& params);
    std::string ImageTag(tags::CTagParams& params);
    std::string Mp3Tag(tags::CTagParams& params);
    std::string ExifTag(tags::CTagParams& params);
    std::string ColumnTag(tags::CTagParams& params);
    std::string SizeColumn(tags::CTagParams& params);
    std::string DateTag(tags::CTagParams& params);
    std::string RandomTag(tags::CTagParams& params);
    std::string EditorLineTag();
    std::string ComicArchiveTag(tags::CTagParams& params);
    std::string CrcTag(tags::CTagParams& params);
    std::string ShortNameTag(tags::CTagParams& params);
    std::string RegexTag(tags::CTagParams& params);
    std::string ExtractNumberTag(tags::CTagParams& params);
    std::string FormatNumberTag(tags::CTagParams& params);
    /// The text shown in the current row's cell of a column (by index).
    std::string RowCellText(int column);

    CComputationContext& owner;
    std::string errorText;
    CCrc32 crc;
    std::unique_ptr<CMediaReaders> realReaders;
    CMediaReaders* readers;
};
