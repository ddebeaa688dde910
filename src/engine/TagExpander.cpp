// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TagExpander.h"

#include "catalogue/FileCatalogue.h"
#include "catalogue/NameParts.h"
#include "engine/ComputationContext.h"
#include "engine/MediaReaders.h"
#include "engine/NameText.h"
#include "engine/TagFunctions.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"

#include <boost/regex/icu.hpp>

#include <exception>

using tags::CTagParams;

namespace {

constexpr std::string_view kDefaultAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz";
constexpr int32_t kDefaultRandomLength = 8;
constexpr int32_t kMaxRandomLength = 128;
constexpr std::size_t kMaxEditorLineChars = 260;
constexpr std::size_t kCrcDigits = 8;
/// Columns the tag can address: the nine of the file list.
constexpr int kLastTagColumn = 8;

bool CrcProgress(uint64_t /*bytesRead*/, void* context) {
    return static_cast<CComputationContext*>(context)->ReportTagProgress();
}

} // namespace

CTagExpander::CTagExpander(CComputationContext& context)
    : owner(context), errorText(LookupString(strings::kInvalidCommand)),
      realReaders(std::make_unique<CMediaReaders>()), readers(realReaders.get()) {}

CTagExpander::~CTagExpander() = default;

void CTagExpander::SetMediaReaders(CMediaReaders* mediaReaders) {
    readers = mediaReaders != nullptr ? mediaReaders : realReaders.get();
}

std::string CTagExpander::EvaluateTag(std::string_view tag) {
    const std::size_t colon = tag.find(':');
    const std::string command = tags::AsciiUpper(tag.substr(0, colon));
    CTagParams params(colon == std::string_view::npos ? std::string_view() : tag.substr(colon + 1));

    if (command == "N" || command == "NUMBER") {
        return NumberTag(params);
    }
    if (command == "G" || command == "GRAPHIC") {
        return ImageTag(params);
    }
    if (command == "MP3") {
        return Mp3Tag(params);
    }
    if (command == "E" || command == "EXIF") {
        return ExifTag(params);
    }
    if (command == "C" || command == "COL") {
        return ColumnTag(params);
    }
    if (command == "D" || command == "TODAY") {
        return DateTag(params);
    }
    if (command == "R" || command == "RANDOM") {
        return RandomTag(params);
    }
    if (command == "RA") {
        std::string_view ignored;
        params.NextParam(ignored);
        return "[NOT IMPLEMENTED YET]";
    }
    if (command == "T") {
        return EditorLineTag();
    }
    if (command == "CDR") {
        return ComicArchiveTag(params);
    }
    if (command == "CRC32") {
        return CrcTag(params);
    }
    if (command == "SHORTNAME") {
        return ShortNameTag(params);
    }
    if (command == "REGEXP" && owner.GetState().maskIsRegex) {
        return RegexTag(params);
    }
    if (command == "EN" || command == "EXTRACT_NUMBER") {
        return ExtractNumberTag(params);
    }
    if (command == "FN" || command == "FORMAT_NUMBER") {
        return FormatNumberTag(params);
    }
    return {};
}

std::string CTagExpander::NumberTag(CTagParams& params) {
    const CComputationState& state = owner.GetState();
    bool baseGiven = false;
    int32_t base = 10;
    int32_t zeroFill = state.zeroFill;
    tags::ParseExplicitBaseZero(params, baseGiven, base, zeroFill);
    if (!baseGiven) {
        return FormatAutonumber(state.counter, static_cast<int32_t>(state.base), zeroFill,
                                state.manualDigits);
    }
    // A negated base asks the autonumber for that radix with capitals.
    if (base >= 2 && base <= 36) {
        return FormatAutonumber(state.counter, -base, zeroFill, {});
    }
    return FormatAutonumber(state.counter, -10, 0, {});
}

std::string CTagExpander::RowCellText(int column) {
    const CComputationState& state = owner.GetState();
    CFileCatalogue& catalogue = owner.GetCatalogue();
    if (state.row >= 0 && state.row < catalogue.GetRowCount() &&
        &catalogue.GetRowEntry(state.row) == state.entry) {
        return catalogue.GetRowCellText(state.row, column);
    }
    // An entry that is not (or no longer) the row's: its cell as the row
    // would show it.
    CFileEntry entry = *state.entry;
    const ColumnKind kind = catalogue.GetColumnKinds()[static_cast<std::size_t>(column)];
    if (kind == ColumnKind::Type) {
        catalogue.EntryTypeName(entry);
    }
    return catalogue.CellText(entry, kind);
}

std::string CTagExpander::ColumnTag(CTagParams& params) {
    const CComputationState& state = owner.GetState();
    std::string_view param;
    if (state.entry == nullptr || !params.NextParam(param)) {
        return {};
    }
    CFileCatalogue& catalogue = owner.GetCatalogue();
    const std::vector<int>& order = catalogue.GetColumnOrder();
    const int32_t position = LeadingInteger(param);
    if (position < 1 || static_cast<std::size_t>(position) > order.size()) {
        return {};
    }
    const int column = order[static_cast<std::size_t>(position - 1)];
    if (column < 0 || column > kLastTagColumn || column >= catalogue.GetColumnCount()) {
        return {};
    }
    const CFileEntry& entry = *state.entry;
    switch (catalogue.GetColumnKinds()[static_cast<std::size_t>(column)]) {
    case ColumnKind::FileName:
        if (!params.NextParam(param)) {
            return std::string(entry.BaseName());
        }
        return param[0] == 'E' || param[0] == 'e' ? RowCellText(column) : std::string();
    case ColumnKind::Size:
        return SizeColumn(params);
    case ColumnKind::Type:
        // The row's own type only: one row of a piecewise computation must
        // not look up the types of every row.
        if (state.row >= 0 && state.row < catalogue.GetRowCount() &&
            &catalogue.GetRowEntry(state.row) == state.entry) {
            catalogue.GetRowTypeName(state.row);
        }
        return RowCellText(column);
    case ColumnKind::Attributes:
    case ColumnKind::Extension:
        return RowCellText(column);
    case ColumnKind::Folder: {
        const int32_t n = params.NextParam(param) ? LeadingInteger(param) : 0;
        return tags::MakePathPieceSafe(tags::SelectFolderName(RowCellText(column), n));
    }
    case ColumnKind::Created:
    case ColumnKind::Modified:
    case ColumnKind::Accessed: {
        if (!entry.AreFactsKnown()) {
            return {}; // a time that lstat could not give is no date
        }
        const ColumnKind kind = catalogue.GetColumnKinds()[static_cast<std::size_t>(column)];
        const uint64_t time = kind == ColumnKind::Created    ? entry.CreationTime()
                              : kind == ColumnKind::Modified ? entry.LastWriteTime()
                                                             : entry.LastAccessTime();
        return tags::FormatFileTime(time, params.NextParam(param) ? param : std::string_view());
    }
    }
    return {};
}

std::string CTagExpander::SizeColumn(CTagParams& params) {
    char separator = 0;
    int divisions = 0;
    std::string_view param;
    while (params.NextParam(param)) {
        const std::string word = tags::AsciiUpper(param);
        if (word == "," || word == ".") {
            separator = word[0];
        } else if (word == "K") {
            divisions = 1;
        } else if (word == "M") {
            divisions = 2;
        }
    }
    const CFileEntry& entry = *owner.GetState().entry;
    if (!entry.AreFactsKnown()) {
        return {}; // a size that lstat could not give is not 0
    }
    uint64_t size = entry.FileSize();
    for (int i = 0; i < divisions; ++i) {
        size /= 1024;
    }
    const std::string digits = std::to_string(size);
    return separator != 0 ? tags::GroupThousands(digits, separator) : digits;
}

std::string CTagExpander::DateTag(CTagParams& params) {
    std::string_view format;
    if (!params.NextParam(format)) {
        format = {};
    }
    return tags::FormatDateField(owner.GetState().timeStamp, format);
}

std::string CTagExpander::RandomTag(CTagParams& params) {
    int32_t length = kDefaultRandomLength;
    std::string_view alphabet = kDefaultAlphabet;
    std::string_view param;
    while (params.NextParam(param)) {
        if ((param[0] == 'S' || param[0] == 's') && param.size() >= 2) {
            length = LeadingInteger(param.substr(1));
            if (length <= 0) {
                length = kDefaultRandomLength;
            } else if (length > kMaxRandomLength) {
                length = kMaxRandomLength;
            }
        } else if (param[0] == 'C' || param[0] == 'c') {
            alphabet = param.size() > 1 ? param.substr(1) : kDefaultAlphabet;
        }
    }
    return tags::RandomText(length, alphabet);
}

std::string CTagExpander::EditorLineTag() {
    std::string line;
    if (!owner.GetEditorLine(owner.GetState().computedCount, line)) {
        return {};
    }
    return FirstChars(line, kMaxEditorLineChars);
}

std::string CTagExpander::ComicArchiveTag(CTagParams& params) {
    const CFileEntry* entry = owner.GetState().entry;
    if (entry == nullptr) {
        return {};
    }
    const std::string extension = tags::AsciiLower(entry->Extension());
    std::string_view param;
    const bool unpack = params.NextParam(param) && tags::AsciiUpper(param) == "U";
    if (unpack) {
        if (extension == "cbz") {
            return "zip";
        }
        if (extension == "cbr") {
            return "rar";
        }
    } else {
        if (extension == "zip") {
            return "cbz";
        }
        if (extension == "rar") {
            return "cbr";
        }
    }
    return std::string(entry->Extension());
}

std::string CTagExpander::CrcTag(CTagParams& params) {
    const CFileEntry* entry = owner.GetState().entry;
    uint32_t value = 0;
    if (entry == nullptr || !crc.FileCrc32(entry->FullPath(), &CrcProgress, &owner, value)) {
        return {};
    }
    std::string text = tags::FormatUnsignedNumber(value, 16, 0);
    if (text.size() < kCrcDigits) {
        text.insert(0, kCrcDigits - text.size(), '0');
    }
    std::string_view param;
    if (params.NextParam(param) && tags::AsciiUpper(param) == "L") {
        text = tags::AsciiLower(text);
    }
    return text;
}

std::string CTagExpander::ShortNameTag(CTagParams& params) {
    const CFileEntry* entry = owner.GetState().entry;
    std::string shortName;
    if (entry == nullptr || !platform::GetShortName(entry->FullPath(), shortName)) {
        return {};
    }
    if (const std::size_t slash = shortName.rfind('/'); slash != std::string::npos) {
        shortName.erase(0, slash + 1);
    }
    std::string_view param;
    const std::size_t dot = shortName.rfind('.');
    if (!params.NextParam(param) || dot == std::string::npos) {
        return shortName;
    }
    const std::string part = tags::AsciiLower(param);
    if (part == "name") {
        return shortName.substr(0, dot);
    }
    if (part == "ext") {
        return shortName.substr(dot + 1);
    }
    return shortName;
}

std::string CTagExpander::RegexTag(CTagParams& params) {
    const CComputationState& state = owner.GetState();
    if (state.entry == nullptr) {
        return {};
    }
    const std::string& name = state.entry->LongName();
    std::string_view param;
    int32_t n = params.NextParam(param) ? LeadingInteger(param) : 1;
    if (n == 0) {
        n = 1;
    }
    if (n < 0) {
        return name; // no match has a negative number
    }
    try {
        const boost::u32regex expression =
            boost::make_u32regex(state.maskText, boost::regex::perl | boost::regex::icase);
        int32_t found = 0;
        const boost::u32regex_iterator<std::string::const_iterator> end;
        for (auto it = boost::make_u32regex_iterator(name, expression); it != end; ++it) {
            if (++found == n) {
                return (*it)[0].str();
            }
        }
    } catch (const std::exception&) {
        // An expression that does not compile, a name that is not valid
        // UTF-8, or a search too complex to finish: the name itself.
    }
    return name;
}

std::string CTagExpander::ExtractNumberTag(CTagParams& params) {
    const CFileEntry* entry = owner.GetState().entry;
    if (entry == nullptr) {
        return {};
    }
    int32_t base = 10;
    int32_t index = 1;
    int32_t zeroFill = 0;
    tags::ParseBaseIndexZero(params, base, index, zeroFill);
    int32_t value = 0;
    if (!tags::FindNthNumber(entry->LongName(), index < 1 ? 1 : index, value)) {
        return {};
    }
    return tags::FormatNumber(value, base, zeroFill);
}

std::string CTagExpander::FormatNumberTag(CTagParams& params) {
    const CComputationState& state = owner.GetState();
    if (state.entry == nullptr) {
        return {};
    }
    int32_t base = 10;
    int32_t index = 1;
    int32_t zeroFill = 0;
    tags::ParseBaseIndexZero(params, base, index, zeroFill);
    // The entry's own name part, not the text built so far.
    const std::string source(state.extensionPart ? state.entry->Extension()
                                                 : state.entry->BaseName());
    std::string before;
    std::string after;
    int32_t value = 0;
    if (!tags::SplitAtNthNumber(source, index < 1 ? 1 : index, before, value, after)) {
        return source;
    }
    return before + tags::FormatNumber(value, base, zeroFill) + after;
}
