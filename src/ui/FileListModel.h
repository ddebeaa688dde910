// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/IconCache.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

class CRenameCore;

/// The colours of file rows by attribute, as 0x00BBGGRR values.
struct CFileListColours {
    uint32_t normalText = 0x000000;
    uint32_t normalBack = 0xFFFFFF;
    uint32_t hiddenText = 0x808080;
    uint32_t hiddenBack = 0xFFFFFF;
    uint32_t readOnlyText = 0x808080;
    uint32_t readOnlyBack = 0xFFFFFF;
    uint32_t systemText = 0x000080;
    uint32_t systemBack = 0xE6E6E6;
};

/// The file list's rows as a table: one row per catalogue row, one column
/// per catalogue column (by column index; the header's visual order is the
/// user's). Cells are read from the catalogue when the view asks for them,
/// so a type name or an icon is looked up only for rows that are shown.
///
/// The front end calls BeginRowsChange / EndRowsChange on the core's row
/// notices; the pairs may nest. Between them the model keeps answering with
/// the row count it announced last.
class CFileListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    /// The core must outlive the model.
    explicit CFileListModel(CRenameCore& core, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void BeginRowsChange();
    void EndRowsChange();
    /// Around a sort: the same rows in another order (sources as the core
    /// gives them). Views keep their current row and scroll position; an
    /// outermost pair changes the layout instead of resetting the model.
    void BeginRowsReorder();
    void EndRowsReorder(const std::vector<uint32_t>& sources);
    bool IsChangingRows() const { return changeDepth > 0; }

    /// Replaces the eight row colours and repaints every row.
    void SetColours(const CFileListColours& colours);
    const CFileListColours& GetColours() const { return rowColours; }

    CRenameCore& GetCore() const { return core; }

signals:
    /// The rows are about to be reordered; a view lets go of its selection
    /// here, before the model asks it to keep its indexes.
    void RowsAboutToReorder();
    /// The rows were replaced or reordered (after the outermost
    /// EndRowsChange or EndRowsReorder): views rebuild their selection from
    /// the catalogue.
    void RowsReloaded();

private:
    /// True when row is a catalogue row now (the catalogue may hold fewer
    /// rows than announced while it changes).
    bool IsLiveRow(int row) const;
    /// Ends the outermost reorder: moves the kept indexes with their rows,
    /// or, when the rows were replaced meanwhile, resets the model.
    void FinishReorder(const std::vector<uint32_t>& sources, bool replaced);

    CRenameCore& core;
    mutable CIconCache icons;
    CFileListColours rowColours;
    int changeDepth = 0;
    // The outermost change is a reorder (a layout change, not a reset).
    bool reordering = false;
    // A change of the rows came within that reorder.
    bool rowsReplaced = false;
    int shownRows = 0;
    int shownColumns = 0;
};
