// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/RowTableView.h"

#include <utility>
#include <vector>

class CFileListModel;
class CRenameCore;
class QItemSelection;

/// The file list: the catalogue's rows in a table whose header the user may
/// drag (the order goes to the catalogue) and click (the catalogue sorts).
/// The catalogue's selected flags are the truth: selections made here go to
/// the core as row ranges, and after every change of the rows the view's
/// selection is rebuilt from the flags.
class CListCtrlFiles : public CRowTableView {
    Q_OBJECT

public:
    /// Makes its own model over the core; the core must outlive the list.
    explicit CListCtrlFiles(CRenameCore& core, QWidget* parent = nullptr);

    CFileListModel& GetModel() const { return *fileModel; }
    CRenameCore& GetCore() const { return core; }

    /// Selects exactly the rows the catalogue has selected and makes its
    /// focused row current, without telling the core. Does nothing while the
    /// list itself is telling the core about a selection.
    void SyncSelectionFromCatalogue();
    /// Shows the catalogue's sort column and direction in the header: the
    /// indicator points down for ascending, up for descending; none when the
    /// order was made by hand.
    void UpdateSortIndicator();
    /// Puts the header sections in the catalogue's column order and gives
    /// the columns their stored widths.
    void ApplyColumnLayout();

    /// A header click: ascending for a new column, the other direction for
    /// the sort column.
    void SortByColumn(int column);
    /// Folder navigation into the folder of row; false when the row is not
    /// a folder, navigation is off or the folder cannot be opened.
    bool OpenFolderRow(int row);

    /// The rows of the view's selection, as [first, last] ranges.
    static std::vector<std::pair<int, int>> RowRanges(const QItemSelection& selection);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void OnViewSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void OnSectionMoved();
    void OnSectionResized(int column, int newSize);
    void OnRowsReloaded();
    /// The one selected row when exactly one row is selected, else -1.
    int SingleSelectedRow() const;

    CRenameCore& core;
    CFileListModel* fileModel;
    /// Set while the view's selection or header follows the catalogue, so
    /// that nothing goes back to the core.
    bool following = false;
    /// Set while a selection made here goes to the core.
    bool telling = false;
};
