// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ComputationState.h"

#include <string>

class CFileCatalogue;

/// What the tag expander reads while a name is computed: the state of the
/// computation, the file list and the text editor, and where it reports the
/// progress of a long reading. CRenameCore is the one real context; a test
/// can give the expander a context of its own.
class CComputationContext {
public:
    virtual ~CComputationContext() = default;

    virtual const CComputationState& GetState() const = 0;
    virtual CFileCatalogue& GetCatalogue() = 0;
    virtual const CFileCatalogue& GetCatalogue() const = 0;
    /// Line index of the text editor (0 = first line); false when there is
    /// no such line or no editor.
    virtual bool GetEditorLine(int index, std::string& line) = 0;
    /// The progress step of the running computation, for a tag that reads
    /// for long (a CRC over a large file); true when the user cancelled.
    virtual bool ReportTagProgress() = 0;
};
