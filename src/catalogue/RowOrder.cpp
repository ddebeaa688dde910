// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/RowOrder.h"

#include "catalogue/NameParts.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

// A piece of the buffer of folded names.
struct CSpan {
    uint32_t start = 0;
    uint32_t length = 0;
};

// What one row is compared by, in this order: a folder grouped before the
// files comes first; then the value of the column (a size, a time, a
// leading number, or the rank of a text); then the rank of the folder and
// the name (the name first when sorting by name); and last the position,
// so that rows equal in all the rest keep their order.
struct CSortKey {
    uint64_t value = 0;
    // The first sixteen bytes of the folded name, so that most comparisons
    // of names need not look into the buffer: names of one camera or
    // scanner share their first eight bytes ("img_0001") as a rule.
    uint64_t namePrefix = 0;
    uint64_t nameNext = 0;
    CSpan name;
    uint32_t folder = 0;
    uint32_t position = 0;
    // A folder grouped before the files: always in ascending order, folder
    // before name.
    bool groupedFolder = false;
};

// Texts that repeat over many rows (folders, extensions, type names,
// attribute letters): each distinct one gets an id as it is met, and once
// all are met, a rank in the order CompareNoCase gives them, equal for
// texts that differ only in case.
struct CRankedTexts {
    std::unordered_map<std::string_view, uint32_t> ids;
    std::vector<std::string_view> texts;
    std::string_view last;
    uint32_t lastId = 0;

    // The text must outlive this object: it is kept by view.
    uint32_t Id(std::string_view text) {
        if (texts.empty() || text != last) {
            const auto [found, added] = ids.try_emplace(text, static_cast<uint32_t>(texts.size()));
            if (added) {
                texts.push_back(text);
            }
            last = text;
            lastId = found->second;
        }
        return lastId;
    }

    // The rank of each id.
    std::vector<uint32_t> Ranks() const {
        std::vector<uint32_t> order(texts.size());
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(),
                  [this](uint32_t a, uint32_t b) { return CompareNoCase(texts[a], texts[b]) < 0; });
        std::vector<uint32_t> ranks(texts.size());
        uint32_t rank = 0;
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (i > 0 && CompareNoCase(texts[order[i - 1]], texts[order[i]]) != 0) {
                ++rank;
            }
            ranks[order[i]] = rank;
        }
        return ranks;
    }
};

// Eight bytes of a span from offset on, as a number that orders as the
// bytes do; bytes past the span's end count as zero, so two equal words
// still leave the order to the whole spans.
uint64_t WordOf(const char* text, CSpan span, uint32_t offset) {
    uint64_t word = 0;
    if (span.length > offset) {
        std::memcpy(&word, text + span.start + offset, std::min<uint32_t>(8, span.length - offset));
    }
    if constexpr (std::endian::native == std::endian::little) {
        word = __builtin_bswap64(word);
    }
    return word;
}

int CompareNumbers(uint64_t a, uint64_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

bool SortCatalogueRows(std::vector<CCatalogueRow>& rows, const CRowOrder& order) {
    constexpr std::size_t kMaxOffset = std::numeric_limits<uint32_t>::max();
    if (rows.size() > kMaxOffset) {
        return false;
    }
    const auto kind = order.kind.value_or(static_cast<ColumnKind>(~0u));
    // Folded as AppendFoldedCase folds them, the names compare byte by
    // byte, shorter first on a tie, exactly as CompareNoCase compares them.
    std::string names;
    CRankedTexts folders;
    std::unordered_map<uint32_t, std::string> attributeTexts;
    CRankedTexts columnTexts;
    std::vector<CSortKey> keys(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // After earlier sorts the rows visit the entries and their strings
        // all over memory: ask for them a few rows ahead, which hides most
        // of the waiting.
        if (i + 16 < rows.size()) {
            __builtin_prefetch(rows[i + 16].entry);
        }
        if (i + 8 < rows.size()) {
            const CFileEntry& ahead = *rows[i + 8].entry;
            __builtin_prefetch(ahead.LongName().data());
            __builtin_prefetch(ahead.Folder().data());
        }
        const CFileEntry& entry = *rows[i].entry;
        CSortKey& key = keys[i];
        key.position = static_cast<uint32_t>(i);
        // A folded name may be shorter or longer than the name.
        const std::size_t nameStart = names.size();
        AppendFoldedCase(names, entry.LongName());
        key.name = {static_cast<uint32_t>(nameStart),
                    static_cast<uint32_t>(names.size() - nameStart)};
        key.groupedFolder = !order.foldersAsFiles && entry.IsFolder();
        // Equal values are told apart by folder only in a recursive list;
        // the folder column compares the files' folders always.
        if (order.recursive || (kind == ColumnKind::Folder && !key.groupedFolder)) {
            key.folder = folders.Id(entry.Folder());
        }
        if (key.groupedFolder) {
            continue;
        }
        switch (kind) {
        case ColumnKind::FileName:
            if (order.namesAsNumbers) {
                key.value = static_cast<uint32_t>(LeadingInteger(entry.LongName()));
            }
            break;
        case ColumnKind::Extension:
            key.value = columnTexts.Id(entry.Extension());
            break;
        case ColumnKind::Type:
            key.value = columnTexts.Id(entry.TypeName());
            break;
        case ColumnKind::Attributes: {
            // One text per set of attribute bits, kept here: the ids keep it
            // by view (a node of the map never moves).
            const uint32_t bits = entry.Attributes();
            auto letters = attributeTexts.find(bits);
            if (letters == attributeTexts.end()) {
                letters = attributeTexts.emplace(bits, AttributeLetters(bits)).first;
            }
            key.value = columnTexts.Id(letters->second);
        } break;
        case ColumnKind::Size:
            key.value = entry.FileSize();
            break;
        case ColumnKind::Created:
            key.value = entry.CreationTime();
            break;
        case ColumnKind::Modified:
            key.value = entry.LastWriteTime();
            break;
        case ColumnKind::Accessed:
            key.value = entry.LastAccessTime();
            break;
        default:
            break;
        }
    }
    if (names.size() > kMaxOffset) {
        return false;
    }

    // Ids become ranks; by folder the folder is the column's value.
    const std::vector<uint32_t> folderRanks = folders.Ranks();
    const std::vector<uint32_t> textRanks = columnTexts.Ranks();
    const bool textColumn =
        kind == ColumnKind::Extension || kind == ColumnKind::Type || kind == ColumnKind::Attributes;
    for (CSortKey& key : keys) {
        if (!folderRanks.empty()) {
            key.folder = folderRanks[key.folder];
        }
        if (key.groupedFolder) {
            continue;
        }
        if (textColumn) {
            key.value = textRanks[key.value];
        } else if (kind == ColumnKind::Folder) {
            key.value = key.folder;
        }
    }
    const char* const text = names.data();
    for (CSortKey& key : keys) {
        key.namePrefix = WordOf(text, key.name, 0);
        key.nameNext = WordOf(text, key.name, 8);
    }

    // The position decides between otherwise equal keys, so this order is
    // total and the unstable sort gives what a stable sort would.
    const bool ascending = order.ascending;
    const bool nameBeforeFolder = kind == ColumnKind::FileName;
    // Not a column: the files are all equal and keep their order.
    const bool filesEqual =
        static_cast<uint32_t>(kind) > static_cast<uint32_t>(ColumnKind::Accessed);
    const auto compareNames = [text](const CSortKey& a, const CSortKey& b) {
        if (a.namePrefix != b.namePrefix) {
            return a.namePrefix < b.namePrefix ? -1 : 1;
        }
        if (a.nameNext != b.nameNext) {
            return a.nameNext < b.nameNext ? -1 : 1;
        }
        constexpr uint32_t kInWords = 16;
        const uint32_t common = std::min(a.name.length, b.name.length);
        const int result = common > kInWords
                               ? std::memcmp(text + a.name.start + kInWords,
                                             text + b.name.start + kInWords, common - kInWords)
                               : 0;
        return result != 0 ? result : CompareNumbers(a.name.length, b.name.length);
    };
    const auto before = [&](const CSortKey& a, const CSortKey& b) {
        if (a.groupedFolder != b.groupedFolder) {
            return a.groupedFolder;
        }
        if (filesEqual && !a.groupedFolder) {
            return a.position < b.position;
        }
        int result = CompareNumbers(a.value, b.value);
        if (result == 0) {
            if (nameBeforeFolder && !a.groupedFolder) {
                result = compareNames(a, b);
                if (result == 0) {
                    result = CompareNumbers(a.folder, b.folder);
                }
            } else {
                result = CompareNumbers(a.folder, b.folder);
                if (result == 0) {
                    result = compareNames(a, b);
                }
            }
        }
        if (result == 0) {
            return a.position < b.position;
        }
        return ascending || a.groupedFolder ? result < 0 : result > 0;
    };
    // Many file systems list a folder in the order its files were made,
    // which for a camera's or a scanner's files is the order of the names:
    // a list already in order is left as it is.
    // Others list the newest first, which is that order backwards.
    if (std::is_sorted(keys.begin(), keys.end(), before)) {
        return true;
    }
    const auto after = [&before](const CSortKey& a, const CSortKey& b) { return before(b, a); };
    if (std::is_sorted(keys.begin(), keys.end(), after)) {
        std::reverse(keys.begin(), keys.end());
    } else {
        std::sort(keys.begin(), keys.end(), before);
    }
    std::vector<CCatalogueRow> sorted;
    sorted.reserve(rows.size());
    for (const CSortKey& key : keys) {
        sorted.push_back(rows[key.position]);
    }
    rows.swap(sorted);
    return true;
}

int CompareEntries(const CFileEntry& a, const CFileEntry& b, const CRowOrder& order) {
    if (!order.foldersAsFiles) {
        if (a.IsFolder() != b.IsFolder()) {
            return a.IsFolder() ? -1 : 1;
        }
        if (a.IsFolder()) {
            int result = order.recursive ? CompareNoCase(a.Folder(), b.Folder()) : 0;
            return result != 0 ? result : CompareNoCase(a.LongName(), b.LongName());
        }
    }
    const ColumnKind kind = order.kind.value_or(static_cast<ColumnKind>(~0u));
    int result = 0;
    bool tieBreak = true;
    switch (kind) {
    case ColumnKind::FileName:
        tieBreak = false;
        if (order.namesAsNumbers) {
            const auto na = static_cast<uint32_t>(LeadingInteger(a.LongName()));
            const auto nb = static_cast<uint32_t>(LeadingInteger(b.LongName()));
            if (na != nb) {
                result = na < nb ? -1 : 1;
                break;
            }
        }
        result = CompareNoCase(a.LongName(), b.LongName());
        if (result == 0 && order.recursive) {
            result = CompareNoCase(a.Folder(), b.Folder());
        }
        break;
    case ColumnKind::Folder:
        tieBreak = false;
        result = CompareNoCase(a.Folder(), b.Folder());
        if (result == 0) {
            result = CompareNoCase(a.LongName(), b.LongName());
        }
        break;
    case ColumnKind::Extension:
        result = CompareNoCase(a.Extension(), b.Extension());
        break;
    case ColumnKind::Type:
        result = CompareNoCase(a.TypeName(), b.TypeName());
        break;
    case ColumnKind::Attributes:
        result = CompareNoCase(AttributeLetters(a.Attributes()), AttributeLetters(b.Attributes()));
        break;
    case ColumnKind::Size:
        result = CompareNumbers(a.FileSize(), b.FileSize());
        break;
    case ColumnKind::Created:
        result = CompareNumbers(a.CreationTime(), b.CreationTime());
        break;
    case ColumnKind::Modified:
        result = CompareNumbers(a.LastWriteTime(), b.LastWriteTime());
        break;
    case ColumnKind::Accessed:
        result = CompareNumbers(a.LastAccessTime(), b.LastAccessTime());
        break;
    default:
        tieBreak = false;
        break;
    }
    if (tieBreak) {
        if (result == 0 && order.recursive) {
            result = CompareNoCase(a.Folder(), b.Folder());
        }
        if (result == 0) {
            result = CompareNoCase(a.LongName(), b.LongName());
        }
    }
    return order.ascending ? result : -result;
}
