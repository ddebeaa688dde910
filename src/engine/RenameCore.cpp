// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RenameCore.h"

#include "engine/CoreCatalogue.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"

#include <algorithm>

std::string FormatSystemError(int code) {
    if (code == 0) {
        return {};
    }
    std::string text = "(#" + std::to_string(code) + ") " + platform::SystemErrorText(code);
    std::string oneLine;
    oneLine.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            oneLine += ' ';
            ++i;
        } else if (text[i] == '\n') {
            oneLine += ' ';
        } else {
            oneLine += text[i];
        }
    }
    return oneLine;
}

CRenameCore::CRenameCore(CRenameFrontEnd* driver)
    : frontEnd(driver != nullptr ? driver : &defaultFrontEnd),
      catalogue(std::make_unique<CCoreCatalogue>(*this)),
      expander(std::make_unique<CTagExpander>(*this)), previewTexts(*catalogue) {}

CRenameCore::~CRenameCore() = default;

void CRenameCore::SetFrontEnd(CRenameFrontEnd* driver) {
    frontEnd = driver != nullptr ? driver : &defaultFrontEnd;
}

CFileCatalogue& CRenameCore::GetCatalogue() {
    return *catalogue;
}
const CFileCatalogue& CRenameCore::GetCatalogue() const {
    return *catalogue;
}

bool CRenameCore::GetEditorLine(int index, std::string& line) {
    return frontEnd->GetEditorLine(index, line);
}

void CRenameCore::OnCatalogueSelection(int row) {
    // Which rows are processed is learnt anew, however the selection
    // changed (one row, or whole ranges at once).
    piecewise.Forget();
    // The set of files to rename depends on the selection.
    if (options.renameOnlySelected && !batchMode) {
        RecomputeNewNames(false);
    }
    frontEnd->OnSelectionChanged(row);
}

void CRenameCore::SetRowsSelected(const std::vector<std::pair<int, int>>& ranges, bool selected) {
    if (selected) {
        ChangeRowSelection({}, ranges);
    } else {
        ChangeRowSelection(ranges, {});
    }
}

void CRenameCore::ChangeRowSelection(const std::vector<std::pair<int, int>>& deselected,
                                     const std::vector<std::pair<int, int>>& selected) {
    const bool off = catalogue->SetRowsSelected(deselected, false);
    const bool on = catalogue->SetRowsSelected(selected, true);
    if (off || on) {
        OnCatalogueSelection(-1);
    }
}

void CRenameCore::TogglePreview() {
    autoPreview = !autoPreview;
    RecomputeNewNames(false);
}

bool CRenameCore::LoadOptions(const std::string& path, int& error) {
    error = 0;
    if (!ReadOptionsFile(path, options, error)) {
        optionsFailure = FillText(LookupString(strings::kCannotReadOptionsFile),
                                  {path, FormatSystemError(error)});
        if (!batchMode) {
            frontEnd->ShowMessage(MessageKind::Warning, optionsFailure, msgbox::kWarningIcon);
        }
        return false;
    }
    optionsFailure.clear();
    frontEnd->OnOptionsChanged();
    return true;
}

void CRenameCore::LoadRememberedOptions(const std::string& settingsFilePath) {
    LoadOptionsFile(settingsFilePath, options);
    frontEnd->OnOptionsChanged();
}

bool CRenameCore::SaveOptions(const std::string& path, int& error) const {
    return SaveOptionsFile(path, options, error);
}

bool CRenameCore::RestoreDefaultOptions(const std::string& settingsFilePath) {
    int error = 0;
    const bool removed =
        platform::RemoveFile(settingsFilePath, error) || !platform::PathExists(settingsFilePath);
    options = CRenameOptions{};
    LoadOptionsFile(settingsFilePath, options);
    frontEnd->OnOptionsChanged();
    return removed;
}
