// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/RowOrder.h"

#include "catalogue/NameParts.h"
#include "platform/LargeArrays.h"

#include <boost/sort/pdqsort/pdqsort.hpp>

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

// One row's name while the names are ranked: the first sixteen bytes of the
// folded name, so that most comparisons need not look into the buffer
// (names of one camera or scanner share their first eight bytes,
// "img_0001", as a rule), then the whole folded name and the row.
struct CNameKey {
    uint64_t prefix = 0;
    uint64_t next = 0;
    CSpan name;
    uint32_t position = 0;
};

// What one row is compared by, in this order: a folder grouped before the
// files comes first; then the value of the column (a size, a time, a
// leading number, or the rank of a text); then the ranks of the folder and
// the name (the name first when sorting by name); and last the position,
// so that rows equal in all the rest keep their order. A descending order
// turns the value and the ranks around, never the position.
struct CRowKey {
    uint64_t value = 0;
    uint32_t group = 0;
    uint32_t first = 0;
    uint32_t second = 0;
    uint32_t position = 0;
};

bool RowKeyBefore(const CRowKey& a, const CRowKey& b) {
    if (a.group != b.group) {
        return a.group < b.group;
    }
    if (a.value != b.value) {
        return a.value < b.value;
    }
    if (a.first != b.first) {
        return a.first < b.first;
    }
    if (a.second != b.second) {
        return a.second < b.second;
    }
    return a.position < b.position;
}

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

// Folded names compare byte by byte, shorter first on a tie, exactly as
// CompareNoCase compares the names.
int CompareFoldedNames(const char* text, const CNameKey& a, const CNameKey& b) {
    if (a.prefix != b.prefix) {
        return a.prefix < b.prefix ? -1 : 1;
    }
    if (a.next != b.next) {
        return a.next < b.next ? -1 : 1;
    }
    constexpr uint32_t kInWords = 16;
    const uint32_t common = std::min(a.name.length, b.name.length);
    const int result = common > kInWords
                           ? std::memcmp(text + a.name.start + kInWords,
                                         text + b.name.start + kInWords, common - kInWords)
                           : 0;
    if (result != 0) {
        return result;
    }
    return a.name.length < b.name.length ? -1 : (a.name.length > b.name.length ? 1 : 0);
}

// Sorts keys with a total order: a list already in order is left as it is,
// one exactly backwards is turned round. Many file systems list a folder in
// the order its files were made, which for a camera's or a scanner's files
// is the order of the names; others list the newest first. The sort itself
// is quick on runs and on many equal leading fields.
enum class KeysWere { InOrder, Backwards, Shuffled };

template <typename Keys, typename Before>
KeysWere SortKeys(Keys& keys, Before before) {
    using Key = typename Keys::value_type;
    if (std::is_sorted(keys.begin(), keys.end(), before)) {
        return KeysWere::InOrder;
    }
    const auto after = [&before](const Key& a, const Key& b) { return before(b, a); };
    if (std::is_sorted(keys.begin(), keys.end(), after)) {
        std::reverse(keys.begin(), keys.end());
        return KeysWere::Backwards;
    }
    boost::sort::pdqsort(keys.begin(), keys.end(), before);
    return KeysWere::Shuffled;
}

// Puts the rows in the order of their sorted keys, and gives each new
// row's old place in sources when asked. The rows stay in their own array.
template <typename Keys>
void PutRowsInKeyOrder(std::vector<CCatalogueRow>& rows, const Keys& keys, KeysWere were,
                       std::vector<uint32_t>* sources) {
    if (were == KeysWere::Backwards) {
        // Turned round where they stand (tmpfs lists a folder newest first).
        std::reverse(rows.begin(), rows.end());
        if (sources != nullptr) {
            sources->resize(rows.size());
            for (std::size_t i = 0; i < rows.size(); ++i) {
                (*sources)[i] = static_cast<uint32_t>(rows.size() - 1 - i);
            }
        }
        return;
    }
    platform::LargeArray<CCatalogueRow> sorted;
    sorted.reserve(rows.size());
    if (sources != nullptr) {
        sources->reserve(rows.size());
    }
    for (const auto& key : keys) {
        sorted.push_back(rows[key.position]);
        if (sources != nullptr) {
            sources->push_back(key.position);
        }
    }
    std::copy(sorted.begin(), sorted.end(), rows.begin());
}

} // namespace

bool RankRowNames(std::vector<CCatalogueRow>& rows, bool putInNameOrder) {
    constexpr std::size_t kMaxOffset = std::numeric_limits<uint32_t>::max();
    if (rows.size() > kMaxOffset) {
        return false;
    }
    // Room for names of usual length at once: growing by copies would touch
    // the folded names twice, and pages reserved but not reached cost
    // nothing.
    std::string names;
    names.reserve(rows.size() * 32);
    platform::LargeArray<CNameKey> keys(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i + 8 < rows.size()) {
            __builtin_prefetch(rows[i + 8].entry->LongName().data());
        }
        // A folded name may be shorter or longer than the name.
        const std::size_t nameStart = names.size();
        AppendFoldedCase(names, rows[i].entry->LongName());
        if (names.size() > kMaxOffset) {
            return false;
        }
        keys[i].name = {static_cast<uint32_t>(nameStart),
                        static_cast<uint32_t>(names.size() - nameStart)};
        keys[i].position = static_cast<uint32_t>(i);
    }
    const char* const text = names.data();
    for (CNameKey& key : keys) {
        key.prefix = WordOf(text, key.name, 0);
        key.next = WordOf(text, key.name, 8);
    }
    const KeysWere were = SortKeys(keys, [text](const CNameKey& a, const CNameKey& b) {
        const int result = CompareFoldedNames(text, a, b);
        return result != 0 ? result < 0 : a.position < b.position;
    });
    uint32_t rank = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && CompareFoldedNames(text, keys[i - 1], keys[i]) != 0) {
            ++rank;
        }
        rows[keys[i].position].nameRank = rank;
    }
    if (putInNameOrder && were != KeysWere::InOrder) {
        PutRowsInKeyOrder(rows, keys, were, nullptr);
    }
    return true;
}

bool OrdersByColumn(const CRowOrder& order) {
    return order.kind.has_value() &&
           static_cast<uint32_t>(*order.kind) <= static_cast<uint32_t>(ColumnKind::Accessed);
}

bool SortCatalogueRows(std::vector<CCatalogueRow>& rows, const CRowOrder& order,
                       std::vector<uint32_t>& sources) {
    sources.clear();
    if (rows.size() > std::numeric_limits<uint32_t>::max()) {
        return false;
    }
    const auto kind = order.kind.value_or(static_cast<ColumnKind>(~0u));
    const bool textColumn =
        kind == ColumnKind::Extension || kind == ColumnKind::Type || kind == ColumnKind::Attributes;
    // Not a column: the files are all equal and keep their order.
    const bool filesEqual = !OrdersByColumn(order);
    const bool nameBeforeFolder = kind == ColumnKind::FileName;
    const bool readsFacts = kind == ColumnKind::Attributes || kind == ColumnKind::Size ||
                            kind == ColumnKind::Created || kind == ColumnKind::Modified ||
                            kind == ColumnKind::Accessed;
    CRankedTexts folders;
    std::unordered_map<uint32_t, std::string> attributeTexts;
    CRankedTexts columnTexts;
    platform::LargeArray<CRowKey> keys(rows.size());
    // The folder and text ids of each row, made ranks once all are met.
    platform::LargeArray<uint32_t> folderIds;
    const bool foldersCompared = order.recursive || kind == ColumnKind::Folder;
    if (foldersCompared) {
        folderIds.resize(rows.size());
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // After earlier sorts the rows visit the entries all over memory:
        // ask for them a few rows ahead, which hides most of the waiting.
        if (i + 16 < rows.size()) {
            __builtin_prefetch(rows[i + 16].entry);
        }
        // The facts live apart from the entry: asked for once the entry is
        // near.
        if (readsFacts && i + 8 < rows.size()) {
            rows[i + 8].entry->PrefetchFacts();
        }
        const CFileEntry& entry = *rows[i].entry;
        CRowKey& key = keys[i];
        key.position = static_cast<uint32_t>(i);
        const bool groupedFolder = !order.foldersAsFiles && entry.IsFolder();
        key.group = groupedFolder ? 0 : 1;
        // Equal values are told apart by folder only in a recursive list;
        // the folder column compares the files' folders always.
        if (order.recursive || (kind == ColumnKind::Folder && !groupedFolder)) {
            if (i + 8 < rows.size()) {
                __builtin_prefetch(rows[i + 8].entry->Folder().data());
            }
            folderIds[i] = folders.Id(entry.Folder()) + 1;
        }
        if (groupedFolder || filesEqual) {
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

    // Ids become ranks; by folder the folder is the column's value.
    const std::vector<uint32_t> folderRanks = folders.Ranks();
    const std::vector<uint32_t> textRanks = columnTexts.Ranks();
    const bool descending = !order.ascending;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        CRowKey& key = keys[i];
        const uint32_t folder =
            foldersCompared && folderIds[i] != 0 ? folderRanks[folderIds[i] - 1] : 0;
        const uint32_t name = rows[i].nameRank;
        if (key.group == 0) {
            // A folder grouped before the files: always in ascending order,
            // folder before name.
            key.first = folder;
            key.second = name;
            continue;
        }
        if (filesEqual) {
            continue;
        }
        if (textColumn) {
            key.value = textRanks[key.value];
        } else if (kind == ColumnKind::Folder) {
            key.value = folder;
        }
        key.first = nameBeforeFolder ? name : folder;
        key.second = nameBeforeFolder ? folder : name;
        if (descending) {
            key.value = ~key.value;
            key.first = ~key.first;
            key.second = ~key.second;
        }
    }

    // The position decides between otherwise equal keys, so this order is
    // total and the unstable sort gives what a stable sort would.
    const KeysWere were =
        SortKeys(keys, [](const CRowKey& a, const CRowKey& b) { return RowKeyBefore(a, b); });
    if (were == KeysWere::InOrder) {
        return true;
    }
    PutRowsInKeyOrder(rows, keys, were, &sources);
    return true;
}

namespace {

int CompareNumbers(uint64_t a, uint64_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

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
