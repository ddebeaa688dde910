// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/RuleBlockPage.h"

/// The Extension page (tab "Ext"): the rules for the extension part.
class CExtensionTab : public CRuleBlockPage {
    Q_OBJECT
public:
    CExtensionTab(CNameRuleBlock& block, CRenameCore& core, QWidget* parent = nullptr);
    ~CExtensionTab() override;
};
