// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPushButton>

#include <functional>

/// A colour swatch: a flat button filled with its colour. A click opens a
/// colour chooser with the swatch's colour preselected; the chosen colour
/// (an invalid colour means cancelled) becomes the swatch's colour.
class CColorStatic : public QPushButton {
    Q_OBJECT
public:
    /// Given the current colour, returns the chosen one (invalid: keep it).
    using Chooser = std::function<QColor(const QColor&)>;

    explicit CColorStatic(QWidget* parent = nullptr);

    /// Stores the colour and repaints.
    void SetBackgroundColor(const QColor& colour);
    QColor GetBackgroundColor() const { return background; }

    /// Replaces the chooser (the default runs QColorDialog); an empty
    /// chooser goes back to the default.
    void SetChooser(Chooser chooserIn) { chooser = std::move(chooserIn); }

    /// Runs the chooser and takes its colour; true when it changed.
    bool Choose();

    QSize sizeHint() const override;

signals:
    void ColourChanged(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background;
    Chooser chooser;
};
