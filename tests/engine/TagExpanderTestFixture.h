// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/DefaultColumns.h"
#include "catalogue/NameParts.h"
#include "catalogue/TypeNameSource.h"
#include "engine/MediaReaders.h"
#include "engine/RenameCore.h"
#include "engine/TagExpander.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tagtest {

/// A front end with a text editor of given lines and a progress bar whose
/// cancel button the test presses.
class CTagFrontEnd : public CRenameFrontEnd {
public:
    std::vector<std::string> editorLines;
    bool hasEditor = true;
    bool cancel = false;
    int cancelChecks = 0;

    bool GetEditorLine(int index, std::string& line) override {
        if (!hasEditor || index < 0 || index >= static_cast<int>(editorLines.size())) {
            return false;
        }
        line = editorLines[static_cast<std::size_t>(index)];
        return true;
    }
    bool IsProgressCancelled() override {
        ++cancelChecks;
        return cancel;
    }
};

/// Readers that hand out the facts a test sets, by the long name of the
/// file, and count the calls.
class CFakeMediaReaders : public CMediaReaders {
public:
    std::map<std::string, CExifInfo> exif;
    std::map<std::string, CExifInfo> stillExif;
    std::map<std::string, CExifInfo> video;
    std::map<std::string, CImageInfo> images;
    std::map<std::string, CMp3Info> mp3;
    std::map<std::string, CMp3Info> audio;
    int exifCalls = 0;
    int stillExifCalls = 0;
    int videoCalls = 0;
    int imageCalls = 0;
    int mp3Calls = 0;
    int audioCalls = 0;

    bool ReadExif(const std::string& path, CExifInfo& info) override {
        ++exifCalls;
        return Find(exif, path, info);
    }
    bool ReadStillExif(const std::string& path, CExifInfo& info) override {
        ++stillExifCalls;
        return Find(stillExif, path, info);
    }
    bool ReadVideo(const std::string& path, CExifInfo& info) override {
        ++videoCalls;
        return Find(video, path, info);
    }
    bool ReadImage(const std::string& path, CImageInfo& info) override {
        ++imageCalls;
        return Find(images, path, info);
    }
    bool ReadMp3(const std::string& path, CMp3Info& info) override {
        ++mp3Calls;
        return Find(mp3, path, info);
    }
    bool ReadAudio(const std::string& path, CMp3Info& info) override {
        ++audioCalls;
        return Find(audio, path, info);
    }

private:
    template <typename Info>
    static bool Find(const std::map<std::string, Info>& facts, const std::string& path,
                     Info& info) {
        const auto it = facts.find(path.substr(path.rfind('/') + 1));
        if (it == facts.end()) {
            return false;
        }
        info = it->second;
        return true;
    }
};

/// Type names "type of <name>", counting the look-ups.
class CFakeTypeNames : public CTypeNameSource {
public:
    int calls = 0;
    std::string TypeName(const std::string& longName, uint32_t /*attributes*/) override {
        ++calls;
        return "type of " + longName;
    }
};

/// An entry that no scan made: folder ending in "/", long name and size.
inline CFileEntry MakeEntry(const std::string& folder, const std::string& longName,
                            uint64_t size = 0) {
    CFileEntry entry;
    entry.SetFolder(folder);
    entry.SetLongName(longName);
    entry.SetFacts(CEntryFacts{0, size});
    return entry;
}

/// A core with the standard columns on a fresh temporary folder, fake media
/// readers and type names, and the random generator seeded.
class TagExpanderTest : public ::testing::Test {
protected:
    TagExpanderTest() {
        AddDefaultColumns(core.GetCatalogue());
        core.GetCatalogue().SetTypeNameSource(&typeNames);
        core.GetTagExpander().SetMediaReaders(&media);
        SeedTagRandom(20240501);
        // A scan selects the first row; the computations here cover all rows.
        core.GetOptions().renameOnlySelected = false;
    }

    CFileCatalogue& Catalogue() { return core.GetCatalogue(); }
    CComputationState& State() { return core.GetState(); }

    /// Opens folder (default: the temporary folder) and scans it.
    void Open(const std::string& folder = {}) {
        ASSERT_TRUE(Catalogue().SetFolder(folder.empty() ? temp.Path() : folder, true));
        Catalogue().Refresh();
    }

    int RowOf(const std::string& longName) {
        for (int row = 0; row < Catalogue().GetRowCount(); ++row) {
            if (Catalogue().GetRowEntry(row).LongName() == longName) {
                return row;
            }
        }
        ADD_FAILURE() << "no row for " << longName;
        return -1;
    }

    /// Makes the row of longName the entry being computed (name block).
    bool Select(const std::string& longName) {
        const int row = RowOf(longName);
        if (row < 0) {
            return false;
        }
        State().entry = &Catalogue().GetRowEntry(row);
        State().row = row;
        State().namePart = true;
        State().extensionPart = false;
        return true;
    }

    /// ExpandRuleText for the row of longName.
    std::string Expand(const std::string& longName, const std::string& text) {
        if (!Select(longName)) {
            return "<no such row>";
        }
        return core.ExpandRuleText(text);
    }

    /// A rule text expanded for the row of a file, and what it gives.
    struct CExpansion {
        std::string longName;
        std::string text;
        std::string expected;
    };

    /// Expands each rule text for the row of its file.
    void ExpectExpansions(const std::vector<CExpansion>& expansions) {
        for (const CExpansion& expansion : expansions) {
            SCOPED_TRACE(expansion.longName + ": " + expansion.text);
            EXPECT_EQ(Expand(expansion.longName, expansion.text), expansion.expected);
        }
    }

    /// ExpandRuleText for an entry that is no row of the list.
    std::string ExpandEntry(const CFileEntry& entry, const std::string& text) {
        State().entry = &entry;
        State().row = -1;
        State().namePart = true;
        State().extensionPart = false;
        return core.ExpandRuleText(text);
    }

    CTempFolder temp;
    CTagFrontEnd frontEnd;
    CFakeMediaReaders media;
    CFakeTypeNames typeNames;
    CRenameCore core{&frontEnd};
};

} // namespace tagtest
