// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/RenameCore.h"
#include "support/RecordingFrontEnd.h"
#include "support/SmallDisk.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

/// A core that lists 400 files with long names, each to get "x" in front,
/// and a small disk that is full from SetUp to TearDown: any script of
/// these names is larger than the disk.
class CFullDiskFixture : public ::testing::Test {
protected:
    CSmallDisk disk;
    CTempFolder folder;
    CRecordingFrontEnd frontEnd;
    CRenameCore core{&frontEnd};

    void SetUp() override {
        for (int i = 0; i < 400; ++i) {
            folder.WriteFile(std::to_string(1000 + i) + std::string(200, 'n') + ".txt",
                             std::to_string(i));
        }
        core.GetCatalogue().AddColumn("Bestand", ColumnKind::FileName, 200, ColumnAlignment::Left);
        core.GetOptions().renameOnlySelected = false;
        core.GetOptions().name.insertBeforeOn = true;
        core.GetOptions().name.insertBeforeText = "x";
        ASSERT_TRUE(core.GetCatalogue().SetFolder(folder.Path(), true));
        core.GetCatalogue().Refresh();
        ASSERT_TRUE(disk.Fill()) << "neither a tmpfs nor a file size limit could be set";
    }
    void TearDown() override { disk.Empty(); }
};
