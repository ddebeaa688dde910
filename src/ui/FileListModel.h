// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/IconCache.h"

#include <QAbstractTableModel>

#include <cstdint>

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
    bool IsChangingRows() const { return changeDepth > 0; }

    /// Replaces the eight row colours and repaints every row.
    void SetColours(const CFileListColours& colours);
    const CFileListColours& GetColours() const { return rowColours; }

    CRenameCore& GetCore() const { return core; }

signals:
    /// The rows were replaced or reordered (after the outermost
    /// EndRowsChange): views rebuild their selection from the catalogue.
    void RowsReloaded();

private:
    /// True when row is a catalogue row now (the catalogue may hold fewer
    /// rows than announced while it changes).
    bool IsLiveRow(int row) const;

    CRenameCore& core;
    mutable CIconCache icons;
    CFileListColours rowColours;
    int changeDepth = 0;
    int shownRows = 0;
    int shownColumns = 0;
};
