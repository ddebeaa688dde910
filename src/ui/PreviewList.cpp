// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PreviewList.h"

#include "engine/RenameCore.h"
#include "ui/PreviewModel.h"
#include "ui/QtText.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QMouseEvent>

#include <algorithm>

CPreviewList::CPreviewList(CRenameCore& owner, QWidget* parent)
    : CRowTableView(parent), core(owner), previewModel(new CPreviewModel(owner, this)) {
    setObjectName(QStringLiteral("previewList"));
    setAccessibleName(Window::tr("Voorbeeldvenster"));
    ShowRows(previewModel);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);

    // A recomputed preview selects what the file list selects; a repaint in
    // place keeps the scroll position, so only the selection is renewed.
    connect(previewModel, &CPreviewModel::PreviewReloaded, this,
            [this] { SelectCatalogueRows(core.GetCatalogue()); });
}

void CPreviewList::FollowRows(int top, int pageRows) {
    const int rows = previewModel->rowCount();
    if (rows <= 0) {
        return;
    }
    // The last row of the page first, then the first: the first row ends at
    // the top, as in the file list.
    const int last = std::clamp(top + pageRows - 1, 0, rows - 1);
    scrollTo(previewModel->index(last, 0), QAbstractItemView::EnsureVisible);
    scrollTo(previewModel->index(std::clamp(top, 0, rows - 1), 0),
             QAbstractItemView::EnsureVisible);
}

int CPreviewList::SelectCatalogueRows(const CFileCatalogue& catalogue) {
    const int rows = core.IsPreviewPlaceholder()
                         ? 0
                         : std::min(previewModel->rowCount(), catalogue.GetRowCount());
    QItemSelection selection;
    int firstSelected = -1;
    int first = -1;
    // The scan stops after the last selected row.
    int unseen = catalogue.GetSelectedCount();
    for (int row = 0; row <= rows && (unseen > 0 || first >= 0); ++row) {
        const bool selected = row < rows && catalogue.IsRowSelected(row);
        unseen -= selected ? 1 : 0;
        if (selected && first < 0) {
            first = row;
            if (firstSelected < 0) {
                firstSelected = row;
            }
        } else if (!selected && first >= 0) {
            selection.select(previewModel->index(first, 0), previewModel->index(row - 1, 0));
            first = -1;
        }
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (firstSelected >= 0) {
        selectionModel()->setCurrentIndex(previewModel->index(firstSelected, 0),
                                          QItemSelectionModel::NoUpdate);
    }
    return firstSelected;
}

void CPreviewList::MirrorSelection(const CFileCatalogue& catalogue) {
    const int first = SelectCatalogueRows(catalogue);
    if (first >= 0) {
        scrollTo(previewModel->index(first, 0));
    }
}

void CPreviewList::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit RowDoubleClicked(index.isValid() ? index.row() : -1);
    }
}
