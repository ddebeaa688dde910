// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ColorStatic.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

CColorStatic::CColorStatic(QWidget* parent)
    : QPushButton(parent), background(palette().color(QPalette::Button)) {
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QPushButton::clicked, this, [this] { Choose(); });
}

void CColorStatic::SetBackgroundColor(const QColor& colour) {
    if (colour == background) {
        return;
    }
    background = colour;
    update();
    emit ColourChanged(background);
}

bool CColorStatic::Choose() {
    const QColor chosen = chooser ? chooser(background)
                                  : QColorDialog::getColor(background, this, QString());
    if (!chosen.isValid() || chosen == background) {
        return false;
    }
    SetBackgroundColor(chosen);
    return true;
}

QSize CColorStatic::sizeHint() const {
    return QSize(48, 20);
}

void CColorStatic::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
    const QRect inner = rect().adjusted(3, 3, -3, -3);
    painter.fillRect(inner, background);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(inner.adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
