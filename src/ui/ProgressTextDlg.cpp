// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressTextDlg.h"

#include "resources/StringTable.h"
#include "ui/QtText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kTextWidth = 340;

} // namespace

CProgressTextDlg::CProgressTextDlg(QWidget* parent)
    : CProgressDialog(parent), patternLabel(new QLabel(this)), textLabel(new QLabel(this)) {
    setObjectName(QStringLiteral("CProgressTextDlg"));
    patternLabel->setObjectName(QStringLiteral("patternText"));
    textLabel->setObjectName(QStringLiteral("folderText"));
    patternLabel->setFixedWidth(kTextWidth);
    textLabel->setFixedWidth(kTextWidth);
    textLabel->setWordWrap(true);
    textLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Two lines high, whatever the text.
    textLabel->setFixedHeight(2 * textLabel->fontMetrics().lineSpacing() + 2);
    textLabel->setTextFormat(Qt::PlainText);
    patternLabel->setTextFormat(Qt::PlainText);

    auto* layout = new QGridLayout(this);
    layout->addWidget(iconLabel, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(patternLabel, 0, 1);
    layout->addWidget(textLabel, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    buttons->addStretch(1);
    layout->addLayout(buttons, 2, 0, 1, 2);
    setFixedSize(sizeHint());
}

void CProgressTextDlg::SetPatternText(const QString& text) {
    if (!IsCancelled()) {
        patternLabel->setText(text);
    }
}

void CProgressTextDlg::SetText(const QString& text) {
    if (!IsCancelled()) {
        textLabel->setText(text);
    }
}

void CProgressTextDlg::ShowCancelled() {
    patternLabel->clear();
    textLabel->setText(UiText(strings::kAbortingPleaseWait));
}
