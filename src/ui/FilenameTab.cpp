// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FilenameTab.h"

#include "ui/QtText.h"

// "bestandsnnaam" is how the program has always spelt this caption.
CFilenameTab::CFilenameTab(CNameRuleBlock& block, CRenameCore& core, QWidget* parent)
    : CRuleBlockPage(block, core, Window::tr("Invoegen voor de bestandsnnaam"),
                     Window::tr("Invoegen na de bestandsnaam"), parent) {
    setObjectName(QStringLiteral("CFilenameTab"));
}

CFilenameTab::~CFilenameTab() = default;
