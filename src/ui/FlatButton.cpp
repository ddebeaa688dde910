// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FlatButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

CFlatButton::CFlatButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setIconSize(QSize(16, 16));
}

void CFlatButton::SetImageLayout(Layout layout) {
    imageLayout = layout;
    updateGeometry();
    update();
}

void CFlatButton::SetImage(const QIcon& image) {
    setIcon(image);
}

QRect CFlatButton::ImageRect() const {
    const QSize size = iconSize();
    const int top = (height() - size.height()) / 2;
    if (imageLayout == Layout::ImageOnly) {
        return QRect(QPoint((width() - size.width()) / 2, top), size);
    }
    return QRect(QPoint(kImageMargin, top), size);
}

QRect CFlatButton::TextRect() const {
    const int left = icon().isNull() ? 0 : kImageMargin + iconSize().width();
    return QRect(left, 0, width() - left, height());
}

QSize CFlatButton::sizeHint() const {
    ensurePolished();
    const QSize base = QPushButton::sizeHint();
    if (imageLayout == Layout::ImageOnly) {
        return base;
    }
    // The text is centred in the space right of the image, so that space
    // must hold the text with the style's usual padding on both sides.
    const int textWidth = fontMetrics().size(Qt::TextShowMnemonic, text()).width();
    const int padding = 2 * style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this);
    const int wanted = kImageMargin + iconSize().width() + textWidth + padding + kImageMargin;
    return QSize(std::max(base.width(), wanted), base.height());
}

QSize CFlatButton::minimumSizeHint() const {
    return QSize(kImageMargin * 2 + iconSize().width(), QPushButton::minimumSizeHint().height());
}

void CFlatButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The style draws only the frame and the focus; image and text are
    // placed by the layout below.
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    const bool pressed = isDown() || isChecked();
    const QPoint shift = pressed ? QPoint(1, 1) : QPoint(0, 0);
    if (!icon().isNull()) {
        const QIcon::Mode mode = !isEnabled()   ? QIcon::Disabled
                                 : underMouse() ? QIcon::Active
                                                : QIcon::Normal;
        icon().paint(&painter, ImageRect().translated(shift), Qt::AlignCenter, mode);
    }
    if (imageLayout == Layout::ImageOnly || text().isEmpty()) {
        return;
    }
    const QRect textRect = TextRect().translated(shift);
    int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this)) {
        flags |= Qt::TextHideMnemonic;
    }
    // A text too long for its space ends in an ellipsis; elide without the
    // mnemonic marks so they are not counted, then draw the original when
    // it fits.
    const QString shown =
        fontMetrics().size(Qt::TextShowMnemonic, text()).width() <= textRect.width()
            ? text()
            : fontMetrics().elidedText(text(), Qt::ElideRight, textRect.width(),
                                       Qt::TextShowMnemonic);
    painter.drawItemText(textRect, flags, palette(), isEnabled(), shown, QPalette::ButtonText);
}
