// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/RowTableView.h"

class CFileCatalogue;
class CPreviewModel;
class CRenameCore;

/// The preview list: one stretched column with the new name of every file
/// row at the same row index.
class CPreviewList : public CRowTableView {
    Q_OBJECT

public:
    /// Makes its own model over the core; the core must outlive the list.
    explicit CPreviewList(CRenameCore& core, QWidget* parent = nullptr);

    CPreviewModel& GetModel() const { return *previewModel; }

    /// Scrolls so that the rows top .. top + pageRows - 1 are shown, as the
    /// file list shows them.
    void FollowRows(int top, int pageRows);
    /// Selects exactly the rows that are selected in the catalogue and
    /// scrolls the first of them into view.
    void MirrorSelection(const CFileCatalogue& catalogue);

signals:
    /// A double click on a row (-1 below the last row).
    void RowDoubleClicked(int row);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    /// Selects the catalogue's selected rows; returns the first, or -1.
    int SelectCatalogueRows(const CFileCatalogue& catalogue);

    CRenameCore& core;
    CPreviewModel* previewModel;
};
