// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <type_traits>

/// A check box or radio button that a narrow page may make narrower than
/// its caption: the caption is then cut with "…" and shown whole as the
/// tooltip. text() and the accessible name keep the whole caption.
template <typename Button> class CElidingButton : public Button {
    static_assert(std::is_same_v<Button, QCheckBox> || std::is_same_v<Button, QRadioButton>);

public:
    CElidingButton(const QString& text, QWidget* parent) : Button(text, parent) {
        // Check boxes and radios do not shrink below their caption otherwise.
        QSizePolicy policy = this->sizePolicy();
        policy.setHorizontalPolicy(QSizePolicy::Preferred);
        this->setSizePolicy(policy);
    }

    /// The narrowest the button may become; never more than its full width.
    void SetLeastWidth(int width) {
        leastWidth = width;
        this->updateGeometry();
    }

    QSize minimumSizeHint() const override {
        QSize size = Button::minimumSizeHint();
        if (leastWidth > 0) {
            size.setWidth(std::min(size.width(), leastWidth));
        }
        return size;
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        this->initStyleOption(&option);
        const QRect caption = this->style()->subElementRect(kContents, &option, this);
        option.text = this->fontMetrics().elidedText(option.text, Qt::ElideRight, caption.width());
        painter.drawControl(kControl, option);
    }

    void resizeEvent(QResizeEvent* event) override {
        Button::resizeEvent(event);
        this->setToolTip(this->width() < this->sizeHint().width() ? this->text() : QString());
    }

private:
    static constexpr bool kRadio = std::is_same_v<Button, QRadioButton>;
    static constexpr QStyle::SubElement kContents =
        kRadio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents;
    static constexpr QStyle::ControlElement kControl =
        kRadio ? QStyle::CE_RadioButton : QStyle::CE_CheckBox;

    int leastWidth = 0;
};

using CElidingCheckBox = CElidingButton<QCheckBox>;
using CElidingRadioButton = CElidingButton<QRadioButton>;
