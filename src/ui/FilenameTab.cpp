// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FilenameTab.h"

// "bestandsnnaam" is how the program has always spelt this caption.
CFilenameTab::CFilenameTab(CNameRuleBlock& block, CRenameCore& core, QWidget* parent)
    : CRuleBlockPage(block, core, QStringLiteral("Invoegen voor de bestandsnnaam"),
                     QStringLiteral("Invoegen na de bestandsnaam"), parent) {
    setObjectName(QStringLiteral("CFilenameTab"));
}

CFilenameTab::~CFilenameTab() = default;
