// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSplitter>

class CIniFile;

/// Two panes under one bar: side by side (Qt::Horizontal) or one above the
/// other. Neither pane can be made smaller than its minimum, neither
/// collapses, and Escape during a drag of the bar puts the panes back as
/// they were when the drag began.
class CPaneSplitter : public QSplitter {
    Q_OBJECT
public:
    static constexpr int kBarThickness = 3;

    /// Takes both panes as children. The minimums are in pixels along the
    /// splitter's orientation.
    CPaneSplitter(Qt::Orientation orientation, QWidget* firstPane, QWidget* secondPane,
                  int minFirst, int minSecond, QWidget* parent = nullptr);

    /// The bar's position: the right edge of the first pane (the bottom
    /// edge in stacked mode), in the splitter's coordinates.
    int GetPosition() const;
    /// Moves the bar, clamped so that both panes keep their minimum.
    void SetPosition(int position);

    /// The start position stored in the settings file for the bar with
    /// this id (section "splt\init_v<id>", key "VertSplitPos"; stacked:
    /// "splt\init_h<id>", "HorizSplitPos"), else twice the first minimum.
    /// The key is only read, never written.
    int ReadStartPosition(const CIniFile& settings, int id) const;

    bool IsDragging() const { return dragging; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The length along the orientation that the two panes share.
    int PaneSpace() const;
    void EndDrag();

    int minFirst;
    int minSecond;
    bool dragging = false;
    bool dragCancelled = false;
    QList<int> sizesBeforeDrag;
};
