// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressDialog.h"

#include "ui/QtText.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr int kIconSize = 32;

} // namespace

CProgressDialog::CProgressDialog(QWidget* parent)
    : CBaseDialog(parent), iconLabel(new QLabel(this)),
      cancelButton(new QPushButton(Window::tr("Annuleren"), this)),
      animation(new QTimer(this)) {
    setWindowTitle(Window::tr("Voortgang..."));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    iconLabel->setObjectName(QStringLiteral("animation"));
    iconLabel->setFixedSize(kIconSize, kIconSize);
    iconLabel->setPixmap(AnimationFrame(0));
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    // Enter must not press it: only a click or Space does.
    cancelButton->setAutoDefault(false);
    cancelButton->setDefault(false);
    connect(cancelButton, &QPushButton::clicked, this, &CProgressDialog::Cancel);
    animation->setInterval(kAnimationPeriod);
    connect(animation, &QTimer::timeout, this, &CProgressDialog::AdvanceFrame);
}

CProgressDialog::~CProgressDialog() = default;

void CProgressDialog::Start() {
    frame = 0;
    iconLabel->setPixmap(AnimationFrame(0));
    show();
    animation->start();
}

void CProgressDialog::Finish() {
    animation->stop();
    finishing = true;
    done(1);
    hide();
}

QPixmap CProgressDialog::AnimationFrame(int index) {
    static std::array<QPixmap, kFrameCount> frames;
    QPixmap& pixmap = frames[static_cast<std::size_t>(index % kFrameCount)];
    if (pixmap.isNull()) {
        // Six dots on a ring; the bright one walks round, one step a frame.
        pixmap = QPixmap(kIconSize, kIconSize);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        const double centre = kIconSize / 2.0;
        const double radius = kIconSize / 2.0 - 5.0;
        for (int dot = 0; dot < kFrameCount; ++dot) {
            const double angle = 2.0 * std::numbers::pi * dot / kFrameCount - std::numbers::pi / 2;
            const bool lit = dot == index % kFrameCount;
            painter.setBrush(lit ? QColor(0x1c, 0x5f, 0xb8) : QColor(0xa8, 0xb8, 0xcc));
            const double size = lit ? 8.0 : 6.0;
            painter.drawEllipse(QRectF(centre + radius * std::cos(angle) - size / 2,
                                       centre + radius * std::sin(angle) - size / 2, size, size));
        }
    }
    return pixmap;
}

void CProgressDialog::accept() {
    // Only Finish closes the dialog.
}

void CProgressDialog::reject() {
    // Escape and the close box do nothing.
}

void CProgressDialog::closeEvent(QCloseEvent* event) {
    if (finishing) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CProgressDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Enter:
    case Qt::Key_Return:
        event->accept();
        return;
    default:
        CBaseDialog::keyPressEvent(event);
    }
}

void CProgressDialog::Cancel() {
    if (cancelled) {
        return;
    }
    cancelled = true;
    ShowCancelled();
    emit Cancelled();
}

void CProgressDialog::AdvanceFrame() {
    frame = (frame + 1) % kFrameCount;
    iconLabel->setPixmap(AnimationFrame(frame));
}
