// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ExtensionTab.h"

#include "ui/QtText.h"

CExtensionTab::CExtensionTab(CNameRuleBlock& block, CRenameCore& core, QWidget* parent)
    : CRuleBlockPage(block, core, Window::tr("Invoegen voor de extensie."),
                     Window::tr("Invoegen na de extensie"), parent) {
    setObjectName(QStringLiteral("CExtensionTab"));
}

CExtensionTab::~CExtensionTab() = default;
