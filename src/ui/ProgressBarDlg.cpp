// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressBarDlg.h"

#include "resources/StringTable.h"
#include "ui/QtText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kTextWidth = 340;

} // namespace

CProgressBarDlg::CProgressBarDlg(const QString& text, bool cancelAllowedIn, QWidget* parent)
    : CProgressDialog(parent), cancelAllowed(cancelAllowedIn), textLabel(new QLabel(text, this)),
      bar(new QProgressBar(this)) {
    setObjectName(QStringLiteral("CProgressBarDlg"));
    textLabel->setObjectName(QStringLiteral("progressText"));
    textLabel->setTextFormat(Qt::PlainText);
    textLabel->setFixedWidth(kTextWidth);
    bar->setObjectName(QStringLiteral("progressBar"));
    bar->setAccessibleName(Window::tr("Voortgang"));
    bar->setRange(0, 0);
    bar->setTextVisible(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(iconLabel, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(textLabel, 0, 1);
    layout->addWidget(bar, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    buttons->addStretch(1);
    layout->addLayout(buttons, 2, 0, 1, 2);
    // Without cancel the button is hidden; the dialog keeps its size.
    cancelButton->setVisible(cancelAllowed);
    setFixedSize(sizeHint());
}

void CProgressBarDlg::SetRange(int count) {
    bar->setRange(0, std::max(count, 0));
}

void CProgressBarDlg::SetPosition(int position) {
    bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

void CProgressBarDlg::ShowCancelled() {
    textLabel->setText(UiText(strings::kAbortingPleaseWait));
}
