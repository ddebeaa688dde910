// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/FileEntry.h"
#include "engine/RenameOptions.h"
#include "platform/FileTime.h"

#include <cstdint>
#include <string>

/// The state of one name computation: the entry being computed, the
/// autonumber and what the tags read. The core writes it; the tag expander
/// reads it through CComputationContext.
struct CComputationState {
    const CFileEntry* entry = nullptr; ///< the entry being computed
    int row = -1;                      ///< its file-list row
    bool namePart = false;             ///< the name block is being applied
    bool extensionPart = false;        ///< the extension block is being applied
    int32_t counter = 0;
    int32_t start = 1;
    int32_t increment = 1;
    int32_t zeroFill = 1;
    AutonumberBase base = AutonumberBase::Dec;
    std::string manualDigits;
    std::string lastFolder;
    platform::CCalendarTime timeStamp;
    std::string maskText; ///< the mask without the ":" of a regular expression
    bool maskIsRegex = false;
    int computedCount = 0; ///< also the line of the text editor for the T tag
    int64_t startTick = 0; ///< milliseconds, steady clock
    bool progressShown = false;
    bool previewCancelled = false;
};
