// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PaneSplitter.h"

#include "engine/IniFile.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSplitterHandle>

#include <algorithm>
#include <string>

CPaneSplitter::CPaneSplitter(Qt::Orientation orientation, QWidget* firstPane, QWidget* secondPane,
                             int minFirst, int minSecond, QWidget* parent)
    : QSplitter(orientation, parent), minFirst(minFirst), minSecond(minSecond) {
    setObjectName(QStringLiteral("CPaneSplitter"));
    setChildrenCollapsible(false);
    setHandleWidth(kBarThickness);
    // The panes follow the bar while it is dragged, so that Escape has
    // something to undo and a release has nothing left to do.
    setOpaqueResize(true);
    addWidget(firstPane);
    addWidget(secondPane);
    if (orientation == Qt::Horizontal) {
        firstPane->setMinimumWidth(minFirst);
        secondPane->setMinimumWidth(minSecond);
    } else {
        firstPane->setMinimumHeight(minFirst);
        secondPane->setMinimumHeight(minSecond);
    }
    setCollapsible(0, false);
    setCollapsible(1, false);
    handle(1)->installEventFilter(this);
}

int CPaneSplitter::PaneSpace() const {
    const int length = orientation() == Qt::Horizontal ? width() : height();
    return length - handleWidth();
}

int CPaneSplitter::GetPosition() const {
    const QList<int> current = sizes();
    return current.isEmpty() ? 0 : current.first();
}

void CPaneSplitter::SetPosition(int position) {
    const int space = PaneSpace();
    // A splitter too small for both minimums favours the first pane, as
    // the layout will grow the splitter to its minimum anyway.
    const int first = std::clamp(position, minFirst, std::max(minFirst, space - minSecond));
    setSizes({first, std::max(space - first, minSecond)});
}

int CPaneSplitter::ReadStartPosition(const CIniFile& settings, int id) const {
    const bool sideBySide = orientation() == Qt::Horizontal;
    const std::string section =
        std::string(sideBySide ? "splt\\init_v" : "splt\\init_h") + std::to_string(id);
    return settings.ReadInt(section, sideBySide ? "VertSplitPos" : "HorizSplitPos", 2 * minFirst);
}

void CPaneSplitter::EndDrag() {
    dragging = false;
    dragCancelled = false;
    qApp->removeEventFilter(this);
}

bool CPaneSplitter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (watched == handle(1) && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            sizesBeforeDrag = sizes();
            dragging = true;
            dragCancelled = false;
            // Escape goes to whichever widget has the focus; watch them all
            // while the drag lasts instead of taking the focus away.
            qApp->installEventFilter(this);
        }
        break;
    case QEvent::MouseMove:
        // After Escape the bar stays put until the button comes up.
        if (watched == handle(1) && dragCancelled) {
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == handle(1) && dragging &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            EndDrag();
        }
        break;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        if (dragging && !dragCancelled && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            if (event->type() == QEvent::KeyPress) {
                dragCancelled = true;
                setSizes(sizesBeforeDrag);
            }
            event->accept();
            return true;
        }
        break;
    default:
        break;
    }
    return QSplitter::eventFilter(watched, event);
}
