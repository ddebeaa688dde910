#include "catalogue/FileCatalogue.h"

#include "catalogue/NameParts.h"
#include "catalogue/RowOrder.h"
#include "catalogue/TypeNameSource.h"
#include "platform/FileSystem.h"
#include "platform/FileTime.h"
#include "platform/Utf8.h"
#include "platform/Wildcard.h"

#include <algorithm>
#include <boost/regex/icu.hpp>
#include <numeric>
#include <system_error>

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Names that are not valid UTF-8 are matched with each stray byte read as
// U+FFFD, so that the expression sees text it can decode.
std::string MatchableName(std::string_view name) {
    if (utf8::IsValid(name)) {
        return std::string(name);
    }
    std::string out;
    for (std::size_t pos = 0; pos < name.size();) {
        std::size_t length;
        const char32_t c = utf8::Decode(name, pos, length);
        utf8::Append(out, c >= 0xDC80 && c <= 0xDCFF ? U'\uFFFD' : c);
        pos += length;
    }
    return out;
}

} // namespace

struct CFileCatalogue::CScanExpression {
    bool valid = false;
    boost::u32regex expression;

    CScanExpression(const std::string& text, bool ignoreCase) {
        try {
            const boost::regex::flag_type flags =
                ignoreCase ? boost::regex::perl | boost::regex::icase : boost::regex::perl;
            expression = boost::make_u32regex(MatchableName(text), flags);
            valid = true;
        } catch (const std::exception&) {
            valid = false; // an expression that does not compile matches nothing
        }
    }

    bool Matches(std::string_view name) const {
        if (!valid) {
            return false;
        }
        try {
            return boost::u32regex_search(MatchableName(name), expression);
        } catch (const std::exception&) {
            return false; // too complex to match: treated as no match
        }
    }
};

// The entries of one folder as the scan read them, not yet in the
// catalogue. One that became an entry of the catalogue has moved there and
// is marked listed; it is not read again.
struct CFileCatalogue::CFolderListing {
    // In blocks rather than one array: a large folder grows without moving
    // what it holds, and the blocks go back to the heap for the work that
    // follows the scan.
    std::deque<CFileEntry> candidates;
    std::vector<bool> listed;
    // The folder's sub-folders ("folder/name/"), kept apart because the
    // candidates move into the entries.
    std::vector<std::string> subFolders;
};

CFileCatalogue::CFileCatalogue() : dateFormat(platform::GetShortDatePicture()) {}

CFileCatalogue::~CFileCatalogue() {
    if (releaser.joinable()) {
        releaser.join();
    }
}

bool CFileCatalogue::SetFolder(const std::string& rawPath, bool force) {
    std::string path = Trim(rawPath);
    if (!path.empty()) {
        if (path[0] != '/') {
            std::string current = platform::GetCurrentFolder();
            if (current.empty()) {
                return false;
            }
            path = (current.back() == '/' ? current : current + "/") + path;
        }
        if (!platform::IsExistingFolder(path)) {
            return false;
        }
        if (path.back() != '/') {
            path.push_back('/');
        }
    } else {
        path = platform::GetCurrentFolder();
        if (!path.empty() && path.back() != '/') {
            path.push_back('/');
        }
    }
    // Folder names differ by case on Linux file systems, so the comparison
    // that decides "same folder" is exact.
    if (path != folderPath || force) {
        folderPath = path;
        if (historyIndex + 1 < static_cast<int>(history.size())) {
            history.resize(static_cast<std::size_t>(historyIndex + 1));
        }
        history.push_back(path);
        historyIndex = static_cast<int>(history.size()) - 1;
        RequestRefresh();
    }
    return true;
}

bool CFileCatalogue::GoToParent() {
    std::string current = folderPath;
    if (!current.empty() && current.back() == '/') {
        current.pop_back();
    }
    const auto slash = current.rfind('/');
    if (slash == std::string::npos || current.empty()) {
        return false;
    }
    if (!platform::IsExistingFolder(current)) {
        return false;
    }
    SetFolder(slash == 0 ? "/" : current.substr(0, slash), false);
    return true;
}

bool CFileCatalogue::HistoryBack() {
    if (historyIndex <= 0) {
        return false;
    }
    return HistoryGoTo(historyIndex - 1);
}

bool CFileCatalogue::HistoryForward() {
    if (historyIndex + 1 >= static_cast<int>(history.size())) {
        return false;
    }
    return HistoryGoTo(historyIndex + 1);
}

bool CFileCatalogue::HistoryGoTo(int index) {
    if (index < 0 || index >= static_cast<int>(history.size())) {
        return false;
    }
    historyIndex = index;
    folderPath = history[static_cast<std::size_t>(index)];
    RequestRefresh();
    return true;
}

void CFileCatalogue::ClearHistory() {
    historyIndex = -1;
    history.clear();
}

std::string CFileCatalogue::GetHistoryItem(int index) const {
    if (index < 0 || index >= static_cast<int>(history.size())) {
        return {};
    }
    return history[static_cast<std::size_t>(index)];
}

void CFileCatalogue::SetMask(const std::string& newMask) {
    if (newMask != mask) {
        mask = newMask;
        RequestRefresh();
    }
}

void CFileCatalogue::StoreSwitch(bool& field, bool value) {
    if (field != value) {
        field = value;
        RequestRefresh();
    }
}

void CFileCatalogue::SetShowFolders(bool value) {
    StoreSwitch(showFolders, value);
}
void CFileCatalogue::SetShowFiles(bool value) {
    StoreSwitch(showFiles, value);
}
void CFileCatalogue::SetRecursive(bool value) {
    StoreSwitch(recursive, value);
}
void CFileCatalogue::SetFoldersAsFiles(bool value) {
    StoreSwitch(foldersAsFiles, value);
}
void CFileCatalogue::SetAutoRefresh(bool value) {
    StoreSwitch(autoRefresh, value);
}
void CFileCatalogue::SetSortNamesAsNumbers(bool value) {
    StoreSwitch(sortNamesAsNumbers, value);
}

void CFileCatalogue::SetFilterShowSystem(bool value) {
    if (filter.SetShowSystem(value)) {
        RequestRefresh();
    }
}

void CFileCatalogue::SetFilterShowHidden(bool value) {
    if (filter.SetShowHidden(value)) {
        RequestRefresh();
    }
}

void CFileCatalogue::SetFilterShowReadOnly(bool value) {
    if (filter.SetShowReadOnly(value)) {
        RequestRefresh();
    }
}

bool CFileCatalogue::SetFilterNameLength(CompareMode mode, uint32_t length) {
    if (!filter.SetNameLength(mode, length)) {
        return false;
    }
    RequestRefresh();
    return true;
}

bool CFileCatalogue::SetFilterSize(CompareMode mode, int64_t sizeInBytes) {
    if (!filter.SetSize(mode, sizeInBytes)) {
        return false;
    }
    RequestRefresh();
    return true;
}

bool CFileCatalogue::SetFilterModifiedRange(bool enabled, const platform::CCalendarTime& from,
                                            const platform::CCalendarTime& to) {
    return filter.SetModifiedRange(enabled, from, to);
}

bool CFileCatalogue::SetFilterCreatedRange(bool enabled, const platform::CCalendarTime& from,
                                           const platform::CCalendarTime& to) {
    return filter.SetCreatedRange(enabled, from, to);
}

bool CFileCatalogue::SetFilterAccessedRange(bool enabled, const platform::CCalendarTime& from,
                                            const platform::CCalendarTime& to) {
    return filter.SetAccessedRange(enabled, from, to);
}

void CFileCatalogue::RequestRefresh() {
    if (autoRefresh) {
        Refresh();
    }
}

void CFileCatalogue::Refresh() {
    OnRowsAboutToChange();
    OnRefreshStart();
    busy = true;
    std::string start = folderPath;
    if (start.empty() || start.back() != '/') {
        start.push_back('/');
    }
    rows.clear();
    focusedRow = -1;
    ReleaseEntries();
    folderListings.clear();
    cancelled = false;

    if (mask.size() > 1 && mask[0] == ':') {
        const CScanExpression expression(mask.substr(1), regexIgnoreCase);
        OnPatternStart(std::string());
        lastPattern = true;
        onlyPattern = true;
        ScanFolder(start, "*.*", &expression);
        OnPatternDone(std::string());
    } else {
        const std::vector<std::string> pieces = SplitMask(mask);
        onlyPattern = pieces.size() == 1;
        for (std::size_t i = 0; i < pieces.size() && !cancelled; ++i) {
            OnPatternStart(pieces[i]);
            lastPattern = i + 1 == pieces.size();
            ScanFolder(start, pieces[i], nullptr);
            OnPatternDone(pieces[i]);
        }
    }
    folderListings.clear();

    if (!cancelled) {
        FillRows();
    }
    typeNamesComplete = false;
    if (cancelled) {
        OnRefreshCancelled();
    } else {
        OnRefreshDone();
    }
    busy = false;
    OnRowsChanged();
}

void CFileCatalogue::ReleaseEntries() {
    if (releaser.joinable()) {
        releaser.join();
    }
    // Freeing a large listing entry by entry takes a few milliseconds that
    // the refresh need not wait for; nothing refers to the old entries once
    // the rows are gone.
    constexpr std::size_t kReleaseAsideFrom = 4096;
    if (entries.size() < kReleaseAsideFrom) {
        entries.clear();
        return;
    }
    std::deque<CFileEntry> old = std::move(entries);
    entries.clear(); // a moved-from deque is valid but unspecified
    try {
        releaser = std::thread([doomed = std::move(old)]() mutable { doomed.clear(); });
    } catch (const std::system_error&) {
        // No thread to be had: the list went with the closure that was
        // never started, freed here.
    }
}

CFileCatalogue::CFolderListing& CFileCatalogue::ListFolder(const std::string& folder) {
    auto found = folderListings.find(folder);
    if (found == folderListings.end()) {
        auto listing = std::make_unique<CFolderListing>();
        int error = 0;
        // A folder that cannot be read lists nothing; the scan goes on. No
        // entry is asked for its data here: only what needs a size, a time
        // or the read-only attribute does, for the entries it looks at.
        // One copy of the folder's path for all of its entries.
        const auto sharedFolder = std::make_shared<const std::string>(folder);
        CFolderListing& fresh = *listing;
        platform::ReadFolderNames(
            folder,
            [&](std::string_view name, platform::EntryType type) {
                if (type == platform::EntryType::Folder) {
                    fresh.subFolders.push_back(std::string(folder).append(name).append("/"));
                }
                fresh.candidates.emplace_back(sharedFolder, std::string(name), type);
            },
            error);
        listing->listed.assign(listing->candidates.size(), false);
        found = folderListings.emplace(folder, std::move(listing)).first;
    }
    return *found->second;
}

void CFileCatalogue::AddEntry(CFolderListing& listing, std::size_t index) {
    listing.listed[index] = true;
    entries.push_back(std::move(listing.candidates[index]));
}

bool CFileCatalogue::NameWanted(std::string_view name, bool isFolder, const std::string& pattern,
                                const CScanExpression* expression) const {
    // Folders grouped before the files are listed whatever their names.
    if (isFolder && !foldersAsFiles) {
        return showFolders;
    }
    return (isFolder ? showFolders : showFiles) && platform::MatchWildcard(pattern, name) &&
           (expression == nullptr || expression->Matches(name));
}

bool CFileCatalogue::Wants(const CFileEntry& candidate, const std::string& pattern,
                           const CScanExpression* expression) const {
    // The name first: a name that does not match needs no lstat for the
    // filter.
    const bool isFolder = candidate.IsFolder();
    return NameWanted(candidate.LongName(), isFolder, pattern, expression) &&
           (!FilterApplies(isFolder) || filter.Passes(candidate));
}

void CFileCatalogue::ListFolderOnce(const std::string& folder, const std::string& pattern,
                                    const CScanExpression* expression,
                                    std::vector<std::string>& subFolders) {
    // One copy of the folder's path for all of its entries.
    const auto sharedFolder = std::make_shared<const std::string>(folder);
    const std::size_t first = entries.size();
    bool fileListed = false;
    bool foldersAmongFiles = false;
    int error = 0;
    // A folder that cannot be read lists nothing; the scan goes on.
    platform::ReadFolderNames(
        folder,
        [&](std::string_view name, platform::EntryType type) {
            const bool isFolder = type == platform::EntryType::Folder;
            if (isFolder && recursive) {
                subFolders.push_back(std::string(folder).append(name).append("/"));
            }
            if (!NameWanted(name, isFolder, pattern, expression)) {
                return;
            }
            // Made in place, and taken back when the filter turns it down:
            // a filter on size or date asks the entry itself.
            entries.emplace_back(sharedFolder, std::string(name), type);
            if (FilterApplies(isFolder) && !filter.Passes(entries.back())) {
                entries.pop_back();
            } else if (isFolder) {
                foldersAmongFiles = foldersAmongFiles || fileListed;
            } else {
                fileListed = true;
            }
        },
        error);
    if (foldersAmongFiles && !foldersAsFiles) {
        std::stable_partition(entries.begin() + static_cast<std::ptrdiff_t>(first), entries.end(),
                              [](const CFileEntry& entry) { return entry.IsFolder(); });
    }
}

void CFileCatalogue::ScanFolder(const std::string& folder, const std::string& rawPattern,
                                const CScanExpression* expression) {
    const std::string pattern = Trim(rawPattern);
    if (pattern.empty()) {
        return;
    }
    OnFolderEnter(folder, cancelled);
    if (cancelled) {
        return;
    }
    // Read once, a folder's entries go straight to the list; read for
    // several pieces of the mask, the listing is kept for the next piece.
    std::vector<std::string> ownSubFolders;
    const std::vector<std::string>* subFolders = &ownSubFolders;
    if (onlyPattern) {
        ListFolderOnce(folder, pattern, expression, ownSubFolders);
    } else {
        CFolderListing& listing = ListFolder(folder);
        const std::deque<CFileEntry>& candidates = listing.candidates;
        const auto listEach = [&](const auto& wanted) {
            for (std::size_t i = 0; i < candidates.size(); ++i) {
                if (!listing.listed[i] && wanted(candidates[i])) {
                    AddEntry(listing, i);
                }
            }
        };
        if (foldersAsFiles) {
            listEach(
                [&](const CFileEntry& candidate) { return Wants(candidate, pattern, expression); });
        } else {
            listEach([&](const CFileEntry& candidate) {
                return candidate.IsFolder() && Wants(candidate, pattern, expression);
            });
            listEach([&](const CFileEntry& candidate) {
                return !candidate.IsFolder() && Wants(candidate, pattern, expression);
            });
        }
        if (lastPattern) {
            // No later pattern looks at this folder again: its candidates go
            // now, and their blocks serve the next folder's, instead of
            // leaving holes between the entries that no large array can use.
            std::deque<CFileEntry>().swap(listing.candidates);
            std::vector<bool>().swap(listing.listed);
        }
        // The listings are owned through pointers, so the walk adding more
        // of them leaves this one in place.
        subFolders = &listing.subFolders;
    }
    if (!recursive || cancelled) {
        return;
    }
    // Links to folders are listed as links and never followed, so a link
    // cycle cannot make the walk endless.
    for (const std::string& subFolder : *subFolders) {
        if (cancelled) {
            break;
        }
        ScanFolder(subFolder, pattern, expression);
    }
}

void CFileCatalogue::FillRows() {
    rows.reserve(entries.size());
    for (CFileEntry& entry : entries) {
        entry.iconIndex = -1;
        rows.push_back(CCatalogueRow{&entry, false});
    }
    if (sortColumn == -1) {
        sortColumn = 0;
    }
    SortRows();
    if (!rows.empty()) {
        rows.front().selected = true;
        focusedRow = 0;
    }
}

void CFileCatalogue::SortRows() {
    CRowOrder order{.kind = std::nullopt,
                    .ascending = sortAscending,
                    .recursive = recursive,
                    .foldersAsFiles = foldersAsFiles,
                    .namesAsNumbers = sortNamesAsNumbers};
    if (sortColumn >= 0 && sortColumn < static_cast<int>(columnKinds.size())) {
        order.kind = columnKinds[static_cast<std::size_t>(sortColumn)];
    }
    if (order.kind == ColumnKind::Type) {
        EnsureTypeNames();
    }
    if (SortCatalogueRows(rows, order)) {
        return;
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [this](const CCatalogueRow& a, const CCatalogueRow& b) {
                         return CompareEntries(*a.entry, *b.entry) < 0;
                     });
}

void CFileCatalogue::SortBy(int column, bool ascending) {
    OnRowsAboutToChange();
    sortColumn = column;
    sortAscending = ascending;
    // The focus stays on its entry, wherever the sort puts it.
    const CFileEntry* focused = focusedRow >= 0 && focusedRow < static_cast<int>(rows.size())
                                    ? rows[static_cast<std::size_t>(focusedRow)].entry
                                    : nullptr;
    SortRows();
    if (focused != nullptr) {
        const auto it = std::find_if(rows.begin(), rows.end(), [focused](const CCatalogueRow& row) {
            return row.entry == focused;
        });
        focusedRow = it != rows.end() ? static_cast<int>(it - rows.begin()) : -1;
    }
    OnSortChanged(column, ascending);
    OnRowsChanged();
}

bool CFileCatalogue::MoveSelectedRows(bool up) {
    OnRowsAboutToChange();
    bool moved = false;
    if (up) {
        for (std::size_t i = 1; i < rows.size(); ++i) {
            if (rows[i].selected && !rows[i - 1].selected) {
                std::swap(rows[i], rows[i - 1]);
                moved = true;
            }
        }
    } else {
        for (std::size_t i = rows.size(); i-- > 1;) {
            if (rows[i - 1].selected && !rows[i].selected) {
                std::swap(rows[i], rows[i - 1]);
                moved = true;
            }
        }
    }
    if (moved) {
        sortColumn = -1;
        OnRefreshDone();
    }
    OnRowsChanged();
    return moved;
}

int CFileCatalogue::CompareEntries(const CFileEntry& a, const CFileEntry& b) const {
    if (!foldersAsFiles) {
        if (a.IsFolder() != b.IsFolder()) {
            return a.IsFolder() ? -1 : 1;
        }
        if (a.IsFolder()) {
            int result = recursive ? CompareNoCase(a.Folder(), b.Folder()) : 0;
            return result != 0 ? result : CompareNoCase(a.LongName(), b.LongName());
        }
    }
    const ColumnKind kind = sortColumn >= 0 && sortColumn < static_cast<int>(columnKinds.size())
                                ? columnKinds[static_cast<std::size_t>(sortColumn)]
                                : static_cast<ColumnKind>(~0u);
    const auto compareNumbers = [](uint64_t x, uint64_t y) { return x < y ? -1 : (x > y ? 1 : 0); };
    int result = 0;
    bool tieBreak = true;
    switch (kind) {
    case ColumnKind::FileName:
        tieBreak = false;
        if (sortNamesAsNumbers) {
            const auto na = static_cast<uint32_t>(LeadingInteger(a.LongName()));
            const auto nb = static_cast<uint32_t>(LeadingInteger(b.LongName()));
            if (na != nb) {
                result = na < nb ? -1 : 1;
                break;
            }
        }
        result = CompareNoCase(a.LongName(), b.LongName());
        if (result == 0 && recursive) {
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
        result = compareNumbers(a.FileSize(), b.FileSize());
        break;
    case ColumnKind::Created:
        result = compareNumbers(a.CreationTime(), b.CreationTime());
        break;
    case ColumnKind::Modified:
        result = compareNumbers(a.LastWriteTime(), b.LastWriteTime());
        break;
    case ColumnKind::Accessed:
        result = compareNumbers(a.LastAccessTime(), b.LastAccessTime());
        break;
    default:
        tieBreak = false;
        break;
    }
    if (tieBreak) {
        if (result == 0 && recursive) {
            result = CompareNoCase(a.Folder(), b.Folder());
        }
        if (result == 0) {
            result = CompareNoCase(a.LongName(), b.LongName());
        }
    }
    return sortAscending ? result : -result;
}

bool CFileCatalogue::AddColumn(const std::string& title, ColumnKind kind, int width,
                               ColumnAlignment alignment) {
    columns.push_back(CCatalogueColumn{title, kind, width, alignment});
    columnKinds.push_back(kind);
    columnOrder.push_back(static_cast<int>(columns.size()) - 1);
    RequestRefresh();
    return true;
}

const CCatalogueColumn& CFileCatalogue::GetColumn(int index) const {
    return columns.at(static_cast<std::size_t>(index));
}

bool CFileCatalogue::SetColumnOrder(const std::vector<int>& order) {
    if (order.size() != columns.size()) {
        return false;
    }
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (sorted[i] != static_cast<int>(i)) {
            return false;
        }
    }
    if (columnOrder != order) {
        columnOrder = order;
        OnColumnOrderChanged();
    }
    return true;
}

void CFileCatalogue::SetColumnWidth(int column, int width) {
    if (column >= 0 && column < static_cast<int>(columns.size())) {
        columns[static_cast<std::size_t>(column)].width = width;
    }
}

void CFileCatalogue::SetRowSelected(int row, bool selected) {
    CCatalogueRow& target = rows.at(static_cast<std::size_t>(row));
    if (target.selected == selected) {
        return;
    }
    target.selected = selected;
    if (!busy) {
        OnItemChanged(row);
    }
}

int CFileCatalogue::GetSelectedCount() const {
    return static_cast<int>(
        std::count_if(rows.begin(), rows.end(), [](const CCatalogueRow& r) { return r.selected; }));
}

std::string CFileCatalogue::GetRowCellText(int row, int column) const {
    if (column < 0 || column >= static_cast<int>(columnKinds.size())) {
        return {};
    }
    return CellText(*rows.at(static_cast<std::size_t>(row)).entry,
                    columnKinds[static_cast<std::size_t>(column)]);
}

std::string CFileCatalogue::DateText(uint64_t fileTime) const {
    platform::CCalendarTime calendar;
    if (!platform::FileTimeToCalendar(fileTime, calendar)) {
        return {};
    }
    constexpr std::size_t kMaxPart = 127;
    const auto cut = [](std::string text) {
        text.resize(utf8::OffsetOfChar(text, kMaxPart));
        return text;
    };
    return cut(platform::FormatDatePicture(dateFormat, calendar)) + " " +
           cut(platform::FormatTimePicture(timeFormat, calendar));
}

std::string CFileCatalogue::CellText(const CFileEntry& entry, ColumnKind kind) const {
    switch (kind) {
    case ColumnKind::FileName:
        return entry.LongName();
    case ColumnKind::Folder:
        return entry.Folder();
    case ColumnKind::Extension:
        return std::string(entry.Extension());
    case ColumnKind::Size:
        return entry.IsFolder() ? std::string() : std::to_string(entry.FileSize());
    case ColumnKind::Type:
        return entry.IsTypeNameKnown() ? entry.TypeName() : std::string();
    case ColumnKind::Attributes:
        return AttributeLetters(entry.Attributes());
    case ColumnKind::Created:
        return DateText(entry.CreationTime());
    case ColumnKind::Modified:
        return DateText(entry.LastWriteTime());
    case ColumnKind::Accessed:
        return DateText(entry.LastAccessTime());
    }
    return {};
}

const std::string& CFileCatalogue::EntryTypeName(CFileEntry& entry) {
    if (!entry.IsTypeNameKnown()) {
        entry.SetTypeName(typeNameSource != nullptr
                              ? typeNameSource->TypeName(entry.LongName(), entry.ListedAttributes())
                              : std::string());
    }
    return entry.TypeName();
}

void CFileCatalogue::EnsureTypeNames() {
    for (CCatalogueRow& row : rows) {
        EntryTypeName(*row.entry);
    }
    typeNamesComplete = true;
}
