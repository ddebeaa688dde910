// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/IconCache.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <functional>

class CRenameCore;

/// The colours of preview rows, as 0x00BBGGRR values: rows that keep their
/// name (text in angle brackets) and rows that will be renamed.
struct CPreviewColours {
    uint32_t previewText = 0x000000;
    uint32_t previewBack = 0xFFFFFF;
    uint32_t renamedText = 0x000000;
    uint32_t renamedBack = 0xFFFFFF;
};

/// The core's preview rows as a one-column table: row i is the new name of
/// file row i, or the single "Dubbelklik voor een voorbeeld" row while the
/// preview is off.
///
/// The front end calls BeginPreviewChange / EndPreviewChange on the core's
/// preview notices. A change that keeps the number of rows (every keystroke
/// in a rule) repaints the rows in place, so the scroll position and the
/// selection stay; any other change resets the model.
class CPreviewModel : public QAbstractTableModel {
    Q_OBJECT

public:
    /// The core must outlive the model.
    explicit CPreviewModel(CRenameCore& core, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// A second begin before the end is taken as part of the same change.
    void BeginPreviewChange();
    void EndPreviewChange();
    bool IsChangingPreview() const { return changing; }

    /// Called (from data(), so possibly while a view paints) with a row the
    /// core has not computed yet; the handler must not compute it there.
    void SetPendingRowHandler(std::function<void(int)> handler) {
        pendingRowWanted = std::move(handler);
    }
    /// Rows first..last got their names ahead of the others: repainted.
    void RowsComputed(int first, int last);

    /// Replaces the four colours and repaints every row.
    void SetColours(const CPreviewColours& colours);
    const CPreviewColours& GetColours() const { return rowColours; }

    /// The header text: the core's, or "Voorbeeld" before the first computation.
    QString HeaderText() const;

signals:
    /// The preview rows were recomputed (after EndPreviewChange).
    void PreviewReloaded();

private:
    bool IsLiveRow(int row) const;
    QIcon RowIcon(int row) const;
    QString CollisionText(int row) const;

    CRenameCore& core;
    mutable CIconCache icons;
    CPreviewColours rowColours;
    bool changing = false;
    int shownRows = 0;
    QString shownHeader;
    std::function<void(int)> pendingRowWanted;
};
