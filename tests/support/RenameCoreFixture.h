// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/DefaultColumns.h"
#include "engine/RenameCore.h"
#include "support/RecordingFrontEnd.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

/// A core with the nine standard columns and the recording front end, on a
/// fresh temporary folder; every row takes part in a computation.
class CRenameCoreFixture : public ::testing::Test {
public:
    using Names = std::vector<std::string>;

protected:

    CTempFolder folder;
    CRecordingFrontEnd frontEnd;
    CRenameCore core{&frontEnd};

    void SetUp() override {
        AddDefaultColumns(core.GetCatalogue());
        // A refresh selects the first row; most cases want every row.
        core.GetOptions().renameOnlySelected = false;
    }

    CRenameOptions& Options() { return core.GetOptions(); }
    CNameRuleBlock& NameRules() { return core.GetOptions().name; }

    /// Opens the folder, or a folder inside it (which scans and computes the
    /// preview).
    void Open(const std::string& relative = "") {
        const std::string path = relative.empty() ? folder.Path() : folder / relative;
        ASSERT_TRUE(core.GetCatalogue().SetFolder(path, true));
        core.GetCatalogue().Refresh();
    }
    Names Preview() const {
        Names names;
        for (std::size_t row = 0; row < core.GetPreviewTexts().GetRowCount(); ++row) {
            names.push_back(core.GetPreviewTexts().Text(row));
        }
        return names;
    }
    Names RowNames() const {
        Names names;
        const CFileCatalogue& catalogue = core.GetCatalogue();
        for (int row = 0; row < catalogue.GetRowCount(); ++row) {
            names.push_back(catalogue.GetRowEntry(row).LongName());
        }
        return names;
    }
    /// The names in the temporary folder or a folder inside it, sorted.
    Names OnDisk(const std::string& relative = "") const {
        Names names;
        for (const auto& item : std::filesystem::directory_iterator(folder.Path() + relative)) {
            names.push_back(item.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Content(const std::string& relative) const {
        return ReadWholeFile(folder / relative);
    }
    /// Renames with the confirmation answered Yes.
    int Rename() {
        frontEnd.answer = msgbox::kYes;
        return core.RenameFiles();
    }
};
