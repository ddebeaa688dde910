// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AboutDlg.h"

#include "resources/StringTable.h"
#include "ui/CommandIcons.h"
#include "ui/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : CBaseDialog(parent) {
    setObjectName(QStringLiteral("CAboutDlg"));
    // The caption is the system-menu item's text without its "&".
    setWindowTitle(UiTextPlain(strings::kAboutMenuItem));
    setWindowIcon(ProgramIcon());

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setPixmap(ProgramIcon().pixmap(32, 32));

    nameLabel = new QLabel(UiText(strings::kCaptionProgram), this);
    nameLabel->setObjectName(QStringLiteral("static1119"));
    QFont bold = nameLabel->font();
    bold.setBold(true);
    nameLabel->setFont(bold);
    versionLabel = new QLabel(Window::tr("Versie %1").arg(QLatin1String(kVersion)), this);
    versionLabel->setObjectName(QStringLiteral("static1120"));
    licenceLabel = new QLabel(Window::tr("Licentie: GNU GPL, versie 3 of later"), this);
    licenceLabel->setObjectName(QStringLiteral("licenceLabel"));

    okButton = new QPushButton(Window::tr("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(nameLabel);
    texts->addWidget(versionLabel);
    texts->addWidget(licenceLabel);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(okButton, 0, Qt::AlignRight);
    SetSizeLimits(sizeHint().width(), sizeHint().height(), kUnset, kUnset);
}
