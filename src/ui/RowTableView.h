// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

class QAbstractItemModel;

/// What the file list and the preview list share: a table of whole rows
/// (extended selection, no editing, no sorting by the view, a grid, no word
/// wrap, Tab leaves the list, 16-pixel icons) without a row header, whose
/// rows all have the height of one line of text or one icon. The rows
/// follow a change of font.
class CRowTableView : public QTableView {
    Q_OBJECT

protected:
    explicit CRowTableView(QWidget* parent);

    /// Shows model with the shared setup; a list calls it once, from its
    /// constructor, after naming itself.
    void ShowRows(QAbstractItemModel* model);

    void changeEvent(QEvent* event) override;

private:
    void UpdateRowHeight();
};
