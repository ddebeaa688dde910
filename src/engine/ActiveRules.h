// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/NameParts.h"
#include "engine/RenameCore.h"

#include <cstdint>

/// Which rules of a block take part in a computation, with their numbers
/// read once.
struct CRenameCore::CActiveRules {
    bool replaceWith = false;
    bool replaceText = false;
    bool leftCrop = false;
    bool rightCrop = false;
    bool cropAt = false;
    bool insertBefore = false;
    bool insertAfter = false;
    bool insertAt = false;
    int64_t leftCropCount = 0;
    int64_t rightCropCount = 0;
    int64_t cropPosition = 0;
    int64_t cropCount = 0;
    int64_t insertAtPosition = 0;

    explicit CActiveRules(const CNameRuleBlock& block) {
        replaceWith = block.replaceWithOn;
        replaceText = block.replaceTextOn && !block.searchText.empty();
        if (block.leftCropOn && !block.leftCropCount.empty()) {
            leftCrop = true;
            leftCropCount = LeadingInteger(block.leftCropCount);
        }
        if (block.rightCropOn && !block.rightCropCount.empty()) {
            rightCropCount = LeadingInteger(block.rightCropCount);
            rightCrop = rightCropCount > 0;
        }
        if (block.cropAtOn && !block.cropPosition.empty() && !block.cropCount.empty()) {
            cropPosition = LeadingInteger(block.cropPosition);
            cropCount = LeadingInteger(block.cropCount);
            cropAt = cropPosition >= 0 && cropCount >= 1;
        }
        insertBefore = block.insertBeforeOn && !block.insertBeforeText.empty();
        insertAfter = block.insertAfterOn && !block.insertAfterText.empty();
        if (block.insertAtOn && !block.insertAtPosition.empty() && !block.insertAtText.empty()) {
            insertAtPosition = LeadingInteger(block.insertAtPosition);
            insertAt = insertAtPosition >= 0;
        }
    }
};
