// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/RuleBlockPage.h"

/// The Filename page (tab "Naam"): the rules for the name part.
class CFilenameTab : public CRuleBlockPage {
    Q_OBJECT
public:
    CFilenameTab(CNameRuleBlock& block, CRenameCore& core, QWidget* parent = nullptr);
    ~CFilenameTab() override;
};
