// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/ExtendedFilter.h"
#include "catalogue/FileEntry.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

class CTypeNameSource;
struct CRowOrder;

/// The kind of a list column: what its cells show and how it sorts. No file
/// stores it; the settings file stores column indexes (DefaultColumns.h).
enum class ColumnKind : uint32_t {
    FileName = 0,
    Folder = 1,
    Extension = 2,
    Size = 3,
    Type = 4,
    Attributes = 5,
    Created = 6,
    Modified = 7,
    Accessed = 8,
};

enum class ColumnAlignment { Left, Right, Centre };

/// One column of the file list.
struct CCatalogueColumn {
    std::string title;
    ColumnKind kind = ColumnKind::FileName;
    int width = -1;
    ColumnAlignment alignment = ColumnAlignment::Left;
};

/// One row of the file list: its entry, whether it is selected, and the
/// rank of the entry's name among the rows' names (set at each refresh, so
/// that a sort need not compare the names again).
struct CCatalogueRow {
    CFileEntry* entry = nullptr;
    bool selected = false;
    uint32_t nameRank = 0;
};

/// The files (and folders) of the current folder that pass the mask and the
/// filter, in the order the file list shows and numbers them. Window-free:
/// the file list window shows these rows; the name computation walks them.
/// The owner hears about refreshes through the virtual hooks.
// The members are defined by job: CatalogueNavigation.cpp (folder and
// history), CatalogueFilters.cpp (mask, switches, filter), CatalogueScan.cpp
// (construction, refresh, folder reading), CatalogueRows.cpp (rows,
// selection, order) and CatalogueColumns.cpp (columns, cell texts, type
// names); the comparison of two entries is in RowOrder.cpp.
class CFileCatalogue {
public:
    CFileCatalogue();
    virtual ~CFileCatalogue();
    CFileCatalogue(const CFileCatalogue&) = delete;
    CFileCatalogue& operator=(const CFileCatalogue&) = delete;

    // Folder and history.
    /// Sets the current folder (blanks trimmed, "/" appended; a relative
    /// path is taken from the current folder; empty text is the current
    /// folder). Fails and changes nothing when the path is not a folder.
    bool SetFolder(const std::string& path, bool force);
    std::string GetFolder() const { return folderPath; }
    bool GoToParent();
    bool HistoryBack();
    bool HistoryForward();
    bool HistoryGoTo(int index);
    void ClearHistory();
    int GetHistoryCount() const { return static_cast<int>(history.size()); }
    int GetHistoryIndex() const { return historyIndex; }
    std::string GetHistoryItem(int index) const;

    // Mask and switches; a changed value rescans when autoRefresh is on.
    void SetMask(const std::string& newMask);
    std::string GetMask() const { return mask; }
    void SetShowFolders(bool value);
    void SetShowFiles(bool value);
    void SetRecursive(bool value);
    void SetFoldersAsFiles(bool value);
    void SetAutoRefresh(bool value);
    void SetSortNamesAsNumbers(bool value);
    void SetLockRedraw(bool value) { lockRedraw = value; }
    void SetShowIcons(bool value) { showIcons = value; }
    void SetFolderNavigation(bool value) { folderNavigation = value; }
    bool GetShowFolders() const { return showFolders; }
    bool GetShowFiles() const { return showFiles; }
    bool GetRecursive() const { return recursive; }
    bool GetFoldersAsFiles() const { return foldersAsFiles; }
    bool GetAutoRefresh() const { return autoRefresh; }
    bool GetSortNamesAsNumbers() const { return sortNamesAsNumbers; }
    bool GetLockRedraw() const { return lockRedraw; }
    bool GetShowIcons() const { return showIcons; }
    bool GetFolderNavigation() const { return folderNavigation; }
    bool GetRegexIgnoreCase() const { return regexIgnoreCase; }
    bool IsBusy() const { return busy; }
    bool IsCancelled() const { return cancelled; }

    // The extended filter. The attribute, name-length and size setters
    // rescan when autoRefresh is on; the date ranges do not.
    const CExtendedFilter& GetFilter() const { return filter; }
    void SetFilterShowSystem(bool value);
    void SetFilterShowHidden(bool value);
    void SetFilterShowReadOnly(bool value);
    bool SetFilterNameLength(CompareMode mode, uint32_t length);
    bool SetFilterSize(CompareMode mode, int64_t sizeInBytes);
    bool SetFilterModifiedRange(bool enabled, const platform::CCalendarTime& from,
                                const platform::CCalendarTime& to);
    bool SetFilterCreatedRange(bool enabled, const platform::CCalendarTime& from,
                               const platform::CCalendarTime& to);
    bool SetFilterAccessedRange(bool enabled, const platform::CCalendarTime& from,
                                const platform::CCalendarTime& to);

    // Scanning.
    /// Rescans and refills the rows unconditionally.
    void Refresh();
    /// Refresh when autoRefresh is on.
    void RequestRefresh();

    // Columns.
    bool AddColumn(const std::string& title, ColumnKind kind, int width,
                   ColumnAlignment alignment);
    int GetColumnCount() const { return static_cast<int>(columns.size()); }
    const CCatalogueColumn& GetColumn(int index) const;
    const std::vector<ColumnKind>& GetColumnKinds() const { return columnKinds; }
    /// The column shown at each display position (a permutation of the
    /// column indices; the identity until the user drags a column).
    const std::vector<int>& GetColumnOrder() const { return columnOrder; }
    /// Refused unless order is a permutation of the column indices.
    bool SetColumnOrder(const std::vector<int>& order);
    void SetColumnWidth(int column, int width);

    // Rows in display order.
    int GetRowCount() const { return static_cast<int>(rows.size()); }
    const CFileEntry& GetRowEntry(int row) const { return *rows.at(static_cast<std::size_t>(row)).entry; }
    bool IsRowSelected(int row) const { return rows.at(static_cast<std::size_t>(row)).selected; }
    /// Selects or deselects a row; reported through OnItemChanged unless a
    /// refresh is running.
    void SetRowSelected(int row, bool selected);
    /// Selects or deselects the rows of the [first, last] ranges (clipped to
    /// the rows) without a notice per row; the caller reports the change.
    /// Returns whether any row changed.
    bool SetRowsSelected(const std::vector<std::pair<int, int>>& ranges, bool selected);
    int GetSelectedCount() const { return selectedCount; }
    int GetFocusedRow() const { return focusedRow; }
    void SetFocusedRow(int row) { focusedRow = row; }
    /// The text of the cell of row in list column (by column index). Reads
    /// only: a type name not looked up yet is empty (EntryTypeName looks it
    /// up), so a view may ask for its visible cells again and again.
    std::string GetRowCellText(int row, int column) const;
    /// Every entry of the last scan, in scan order.
    const std::deque<CFileEntry>& GetEntries() const { return entries; }

    // Order.
    int GetSortColumn() const { return sortColumn; }
    bool GetSortAscending() const { return sortAscending; }
    /// Orders the rows by column (ascending or not) and reports the change
    /// through OnSortChanged.
    void SortBy(int column, bool ascending);
    /// Moves the selected rows one place up or down; the order becomes a
    /// hand-made one (sort column -1) and OnRefreshDone follows.
    bool MoveSelectedRows(bool up);
    /// The order of two entries under the catalogue's sort column and
    /// switches (see CompareEntries in RowOrder.h).
    int CompareEntries(const CFileEntry& a, const CFileEntry& b) const;

    // Cell texts.
    std::string CellText(const CFileEntry& entry, ColumnKind kind) const;
    std::string DateText(uint64_t fileTime) const;
    const std::string& GetDateFormat() const { return dateFormat; }
    const std::string& GetTimeFormat() const { return timeFormat; }
    void SetDateFormat(const std::string& picture) { dateFormat = picture; }
    void SetTimeFormat(const std::string& picture) { timeFormat = picture; }

    // Type names.
    /// The catalogue does not own the source; it must outlive the catalogue
    /// or be reset to null.
    void SetTypeNameSource(CTypeNameSource* source) { typeNameSource = source; }
    void EnsureTypeNames();
    bool AreTypeNamesComplete() const { return typeNamesComplete; }
    /// The type name of one entry, looked up on first use.
    const std::string& EntryTypeName(CFileEntry& entry);
    /// The type name of a row's entry, looked up on first use (a list asks
    /// for the rows it shows).
    const std::string& GetRowTypeName(int row) {
        return EntryTypeName(*rows.at(static_cast<std::size_t>(row)).entry);
    }

protected:
    // Hooks for the owner; each does nothing here.
    virtual void OnRefreshStart() {}
    virtual void OnPatternStart(const std::string& /*pattern*/) {}
    virtual void OnFolderEnter(const std::string& /*folder*/, bool& /*cancelled*/) {}
    virtual void OnPatternDone(const std::string& /*pattern*/) {}
    virtual void OnRefreshDone() {}
    virtual void OnRefreshCancelled() {}
    virtual void OnItemChanged(int /*row*/) {}
    virtual void OnSortChanged(int /*column*/, bool /*ascending*/) {}
    /// Around every change of the rows (a refresh, a sort, a move by hand);
    /// the pairs nest when a hook of a refresh refreshes again.
    virtual void OnRowsAboutToChange() {}
    virtual void OnRowsChanged() {}
    /// Around a sort that keeps the rows but changes their order; sources
    /// holds, for each row, the row it was before (empty when every row
    /// stayed). By default a change of the rows.
    virtual void OnRowsAboutToReorder() { OnRowsAboutToChange(); }
    virtual void OnRowsReordered(const std::vector<uint32_t>& /*sources*/) { OnRowsChanged(); }
    /// The user dragged a column to another display position.
    virtual void OnColumnOrderChanged() {}

private:
    struct CScanExpression;
    struct CFolderListing;

    // The text without the blanks at its ends.
    static std::string TrimBlanks(const std::string& text);
    void StoreSwitch(bool& field, bool value);
    void ScanFolder(const std::string& folder, const std::string& pattern,
                    const CScanExpression* expression);
    CFolderListing& ListFolder(const std::string& folder);
    // Reads a folder that no other piece of the mask reads, its wanted
    // entries straight into the list; its sub-folders go to subFolders
    // when the scan is recursive.
    void ListFolderOnce(const std::string& folder, const std::string& pattern,
                        const CScanExpression* expression, std::vector<std::string>& subFolders);
    // Whether a listed entry becomes a row under the pattern, the switches
    // and the filter; NameWanted is all of it but the filter, which applies
    // to files and to folders listed as files.
    bool Wants(const CFileEntry& candidate, const std::string& pattern,
               const CScanExpression* expression) const;
    bool NameWanted(std::string_view name, bool isFolder, const std::string& pattern,
                    const CScanExpression* expression) const;
    bool FilterApplies(bool isFolder) const { return foldersAsFiles || !isFolder; }
    void AddEntry(CFolderListing& listing, std::size_t index);
    // Empties entries, freeing a large list on a thread of its own.
    void ReleaseEntries();
    void FillRows();
    // The sort column's kind and the switches that order the rows.
    CRowOrder RowOrder() const;
    // Sorts the rows; sources as SortCatalogueRows gives them.
    void SortRows(std::vector<uint32_t>& sources);

    std::string folderPath;
    std::string mask = "*.*";
    bool showFolders = true;
    bool showFiles = true;
    CExtendedFilter filter;
    bool showIcons = true;
    bool folderNavigation = true;
    bool autoRefresh = false;
    std::vector<ColumnKind> columnKinds;
    std::string dateFormat;
    std::string timeFormat = "HH:mm";
    int sortColumn = 0;
    bool sortAscending = true;
    bool recursive = false;
    bool foldersAsFiles = false;
    bool busy = false;
    bool lockRedraw = false;
    bool regexIgnoreCase = true;
    std::vector<std::string> history;
    int historyIndex = -1;
    std::deque<CFileEntry> entries;
    bool typeNamesComplete = false;
    bool cancelled = false;
    // The scan runs the last (or only) pattern of the mask: each folder's
    // listing is needed only until that folder is scanned.
    bool lastPattern = true;
    // The mask has one piece (or is an expression): every folder is read
    // once, straight into the entries.
    bool onlyPattern = true;
    bool sortNamesAsNumbers = false;

    std::vector<CCatalogueColumn> columns;
    std::vector<int> columnOrder;
    std::vector<CCatalogueRow> rows;
    // The number of selected rows.
    int selectedCount = 0;
    // The rows' name ranks are set (false only when the names are too long
    // to index, and the rows sort by comparing entries).
    bool rowNamesRanked = false;
    int focusedRow = -1;
    CTypeNameSource* typeNameSource = nullptr;
    // Each folder is read once per refresh, however many mask pieces and
    // passes ask for it; its listing remembers which records became
    // entries, so that no file is listed twice.
    std::unordered_map<std::string, std::unique_ptr<CFolderListing>> folderListings;
    // Frees the entries of the previous refresh while the next one reads its
    // folders; joined before the next hand-over and in the destructor.
    std::thread releaser;
};
