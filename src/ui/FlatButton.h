// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

/// A push button with an image, in one of the two layouts the program
/// uses. The text keeps its "&" mnemonic (QAbstractButton makes it the
/// shortcut, and the accessible name is the text without it).
class CFlatButton : public QPushButton {
    Q_OBJECT
public:
    enum class Layout {
        ImageOnly = 0,            ///< the image centred, no text
        ImageLeftTextCentred = 2, ///< image 5 px from the left, text centred in the rest
    };
    static constexpr int kImageMargin = 5;

    explicit CFlatButton(const QString& text, QWidget* parent = nullptr);

    void SetImageLayout(Layout layout);
    Layout GetImageLayout() const { return imageLayout; }
    /// The image, drawn at the button's icon size (greyed when disabled).
    void SetImage(const QIcon& image);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// Where the text goes: the part right of the image.
    QRect TextRect() const;
    /// Where the image goes.
    QRect ImageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Layout imageLayout = Layout::ImageLeftTextCentred;
};
