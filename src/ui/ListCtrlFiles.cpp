// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListCtrlFiles.h"

#include "engine/RenameCore.h"
#include "ui/FileListModel.h"
#include "ui/QtText.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

CListCtrlFiles::CListCtrlFiles(CRenameCore& owner, QWidget* parent)
    : CRowTableView(parent), core(owner), fileModel(new CFileListModel(owner, this)) {
    setObjectName(QStringLiteral("fileList"));
    setAccessibleName(Window::tr("Bestandenlijst"));
    ShowRows(fileModel);

    QHeaderView* header = horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CListCtrlFiles::OnViewSelectionChanged);
    connect(header, &QHeaderView::sectionClicked, this, &CListCtrlFiles::SortByColumn);
    connect(header, &QHeaderView::sectionMoved, this, &CListCtrlFiles::OnSectionMoved);
    connect(header, &QHeaderView::sectionResized, this,
            [this](int column, int, int newSize) { OnSectionResized(column, newSize); });
    connect(fileModel, &CFileListModel::RowsReloaded, this, &CListCtrlFiles::OnRowsReloaded);
    connect(fileModel, &CFileListModel::RowsAboutToReorder, this, [this] {
        // The flags keep the selection; the view rebuilds it after the sort.
        following = true;
        selectionModel()->clearSelection();
        following = false;
    });

    ApplyColumnLayout();
    UpdateSortIndicator();
    SyncSelectionFromCatalogue();
}

std::vector<std::pair<int, int>> CListCtrlFiles::RowRanges(const QItemSelection& selection) {
    std::vector<std::pair<int, int>> ranges;
    ranges.reserve(static_cast<std::size_t>(selection.size()));
    for (const QItemSelectionRange& range : selection) {
        if (range.isValid()) {
            ranges.emplace_back(range.top(), range.bottom());
        }
    }
    std::sort(ranges.begin(), ranges.end());
    // One range per run of rows, however many column blocks the view made.
    std::vector<std::pair<int, int>> merged;
    for (const auto& range : ranges) {
        if (!merged.empty() && range.first <= merged.back().second + 1) {
            merged.back().second = std::max(merged.back().second, range.second);
        } else {
            merged.push_back(range);
        }
    }
    return merged;
}

void CListCtrlFiles::OnViewSelectionChanged(const QItemSelection& selected,
                                            const QItemSelection& deselected) {
    if (following || fileModel->IsChangingRows()) {
        return;
    }
    const auto off = RowRanges(deselected);
    const auto on = RowRanges(selected);
    telling = true;
    // One change of selection, one notice: a click that moves the selection
    // recomputes the preview once.
    core.ChangeRowSelection(off, on);
    telling = false;
}

void CListCtrlFiles::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!following && !fileModel->IsChangingRows() && current.isValid()) {
        core.GetCatalogue().SetFocusedRow(current.row());
    }
}

void CListCtrlFiles::SyncSelectionFromCatalogue() {
    if (telling || fileModel->IsChangingRows()) {
        return;
    }
    const CFileCatalogue& catalogue = core.GetCatalogue();
    const int rows = std::min(fileModel->rowCount(), catalogue.GetRowCount());
    const int lastColumn = fileModel->columnCount() - 1;
    QItemSelection selection;
    // The scan stops after the last selected row, and skips it all when
    // every row is selected.
    int unseen = catalogue.GetSelectedCount();
    if (lastColumn >= 0 && rows > 0 && unseen == catalogue.GetRowCount() && rows == unseen) {
        selection.select(fileModel->index(0, 0), fileModel->index(rows - 1, lastColumn));
    } else if (lastColumn >= 0) {
        int first = -1;
        for (int row = 0; row <= rows && (unseen > 0 || first >= 0); ++row) {
            const bool selected = row < rows && catalogue.IsRowSelected(row);
            unseen -= selected ? 1 : 0;
            if (selected && first < 0) {
                first = row;
            } else if (!selected && first >= 0) {
                selection.select(fileModel->index(first, 0), fileModel->index(row - 1, lastColumn));
                first = -1;
            }
        }
    }
    following = true;
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const int focused = catalogue.GetFocusedRow();
    if (focused >= 0 && focused < rows) {
        const int column = std::max(currentIndex().column(), 0);
        selectionModel()->setCurrentIndex(fileModel->index(focused, column),
                                          QItemSelectionModel::NoUpdate);
    }
    following = false;
}

void CListCtrlFiles::UpdateSortIndicator() {
    const CFileCatalogue& catalogue = core.GetCatalogue();
    const int column = catalogue.GetSortColumn();
    // Qt draws its ascending mark as a downward arrow, as this list wants.
    horizontalHeader()->setSortIndicator(
        column >= 0 && column < fileModel->columnCount() ? column : -1,
        catalogue.GetSortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CListCtrlFiles::ApplyColumnLayout() {
    const CFileCatalogue& catalogue = core.GetCatalogue();
    QHeaderView* header = horizontalHeader();
    const std::vector<int>& order = catalogue.GetColumnOrder();
    following = true;
    if (static_cast<int>(order.size()) == header->count()) {
        for (int visual = 0; visual < static_cast<int>(order.size()); ++visual) {
            const int from = header->visualIndex(order[static_cast<std::size_t>(visual)]);
            if (from != visual) {
                header->moveSection(from, visual);
            }
        }
    }
    for (int column = 0; column < header->count() && column < catalogue.GetColumnCount();
         ++column) {
        const int width = catalogue.GetColumn(column).width;
        if (width > 0) {
            header->resizeSection(column, width);
        }
    }
    following = false;
}

void CListCtrlFiles::OnSectionMoved() {
    if (following) {
        return;
    }
    const QHeaderView* header = horizontalHeader();
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(header->count()));
    for (int visual = 0; visual < header->count(); ++visual) {
        order.push_back(header->logicalIndex(visual));
    }
    core.GetCatalogue().SetColumnOrder(order);
}

void CListCtrlFiles::OnSectionResized(int column, int newSize) {
    if (!following) {
        core.GetCatalogue().SetColumnWidth(column, newSize);
    }
}

void CListCtrlFiles::OnRowsReloaded() {
    // The header keeps its sections across a reset; the order is the
    // catalogue's all the same.
    ApplyColumnLayout();
    UpdateSortIndicator();
    SyncSelectionFromCatalogue();
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        scrollTo(current);
    }
}

void CListCtrlFiles::SortByColumn(int column) {
    CFileCatalogue& catalogue = core.GetCatalogue();
    if (catalogue.IsBusy() || column < 0 || column >= catalogue.GetColumnCount()) {
        return;
    }
    const bool ascending =
        column != catalogue.GetSortColumn() ? true : !catalogue.GetSortAscending();
    if (catalogue.GetColumn(column).kind == ColumnKind::Type) {
        catalogue.EnsureTypeNames();
    }
    catalogue.SortBy(column, ascending);
    UpdateSortIndicator();
}

int CListCtrlFiles::SingleSelectedRow() const {
    const CFileCatalogue& catalogue = core.GetCatalogue();
    if (catalogue.GetSelectedCount() != 1) {
        return -1;
    }
    int found = -1;
    for (int row = 0; row < catalogue.GetRowCount(); ++row) {
        if (catalogue.IsRowSelected(row)) {
            if (found >= 0) {
                return -1;
            }
            found = row;
        }
    }
    return found;
}

bool CListCtrlFiles::OpenFolderRow(int row) {
    CFileCatalogue& catalogue = core.GetCatalogue();
    if (!catalogue.GetFolderNavigation() || row < 0 || row >= catalogue.GetRowCount()) {
        return false;
    }
    const CFileEntry& entry = catalogue.GetRowEntry(row);
    if (!entry.IsFolder()) {
        return false;
    }
    // Copied: the refresh that SetFolder starts frees the entry.
    const std::string path = entry.FullPath();
    return catalogue.SetFolder(path, false);
}

void CListCtrlFiles::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_Backspace) {
        if (core.GetCatalogue().GetFolderNavigation()) {
            core.GetCatalogue().GoToParent();
        }
        event->accept();
        return;
    }
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // Taken here, so Enter never reaches a default button of the window.
        OpenFolderRow(SingleSelectedRow());
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Home || event->key() == Qt::Key_End) &&
        (event->modifiers() & Qt::ControlModifier) == 0) {
        // Rows, not cells: Home and End go to the first and the last row, as
        // Ctrl+Home and Ctrl+End do in a table.
        QKeyEvent rowKey(event->type(), event->key(), event->modifiers() | Qt::ControlModifier,
                         event->text(), event->isAutoRepeat(), event->count());
        QTableView::keyPressEvent(&rowKey);
        event->setAccepted(rowKey.isAccepted());
        return;
    }
    QTableView::keyPressEvent(event);
}

void CListCtrlFiles::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    const int row = index.isValid() ? index.row() : -1;
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && row >= 0) {
        OpenFolderRow(row);
    }
}
