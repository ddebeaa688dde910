// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FileCatalogue.h"

#include "catalogue/NameParts.h"
#include "platform/FileSystem.h"
#include "platform/FileTime.h"
#include "platform/Utf8.h"
#include "platform/Wildcard.h"

#include <algorithm>
#include <boost/regex/icu.hpp>
#include <system_error>

namespace {

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

// Made and destroyed here, where the folder listings they own are complete.
CFileCatalogue::CFileCatalogue() : dateFormat(platform::GetShortDatePicture()) {}

CFileCatalogue::~CFileCatalogue() {
    if (releaser.joinable()) {
        releaser.join();
    }
}

std::string CFileCatalogue::TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
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
    selectedCount = 0;
    rowNamesRanked = false;
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
        const CSharedFolder sharedFolder(folder);
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
    const CSharedFolder sharedFolder(folder);
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
    const std::string pattern = TrimBlanks(rawPattern);
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
