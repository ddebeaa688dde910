// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ExtensionTab.h"

CExtensionTab::CExtensionTab(CNameRuleBlock& block, CRenameCore& core, QWidget* parent)
    : CRuleBlockPage(block, core, QStringLiteral("Invoegen voor de extensie."),
                     QStringLiteral("Invoegen na de extensie"), parent) {
    setObjectName(QStringLiteral("CExtensionTab"));
}

CExtensionTab::~CExtensionTab() = default;
