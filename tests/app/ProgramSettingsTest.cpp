// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramSettings.h"

#include "catalogue/DefaultColumns.h"
#include "catalogue/FileCatalogue.h"
#include "engine/RenameOptions.h"
#include "support/CrLf.h"
#include "support/DefaultSettingsFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using Settings = CProgramSettings;

Settings Defaults(int desktopWidth = 1024, int desktopHeight = 768) {
    Settings settings;
    settings.SetDefaults(desktopWidth, desktopHeight);
    return settings;
}

/// Settings in which every field differs from its default (apart from the
/// two switches that decide whether LastPath and Position are read).
Settings NonDefaultSettings() {
    Settings settings = Defaults();
    settings.startMaximized = true;
    settings.reloadUserOptionsOnStart = false;
    settings.uncheckAllAfterRenaming = false;
    settings.filterWhenReturnKeyPressed = false;
    settings.askConfirmationBeforeRenaming = false;
    settings.onInsertDateUseGmt = true;
    settings.sortColumnNameAsNumber = true;
    settings.renameOnlySelectedFiles = false;
    settings.allowSwapsAndChains = true;
    settings.language = "en";
    settings.lastPath = "/home/jörg/Foto's \"2024\"/";
    settings.columnWidths = {11, 12, 13, 14, 15, 16, 17, 18, 19};
    settings.previewColumnWidth = 321;
    settings.columnOrder = {8, 7, 6, 5, 4, 3, 2, 1, 0};
    settings.x = -20;
    settings.y = 30;
    settings.width = 1200;
    settings.height = 900;
    settings.splitterPos = 455;
    settings.maximized = true;
    settings.colorNormalF = 0x000001;
    settings.colorNormalB = 0x000002;
    settings.colorHiddenF = 0x000003;
    settings.colorHiddenB = 0x000004;
    settings.colorReadOnlyF = 0x000005;
    settings.colorReadOnlyB = 0x000006;
    settings.colorSystemF = 0x000007;
    settings.colorSystemB = 0x000008;
    settings.colorPreviewF = 0x0000FF;
    settings.colorPreviewB = 0x00FF00;
    settings.colorPreviewBeingRenamedF = 0xFF0000;
    settings.colorPreviewBeingRenamedB = 0x80000000;
    return settings;
}

/// start with the file of the given content loaded over it.
Settings LoadContent(const std::string& content, Settings start = Defaults()) {
    const CTempFolder folder;
    EXPECT_TRUE(start.Load(folder.WriteFile("norvikrename.ini", content)));
    return start;
}

TEST(ProgramSettingsDefaultsTest, WindowIsSevenEighthsOfTheDesktop) {
    const Settings settings = Defaults(1024, 768);
    EXPECT_EQ(settings.width, 896);
    EXPECT_EQ(settings.height, 672);
    EXPECT_EQ(settings.x, -1);
    EXPECT_EQ(settings.y, -1);
}

TEST(ProgramSettingsDefaultsTest, WindowIsAtLeast636By440) {
    const Settings small = Defaults(640, 480);
    EXPECT_EQ(small.width, 636);
    EXPECT_EQ(small.height, 440);
    const Settings tiny = Defaults(100, 50);
    EXPECT_EQ(tiny.width, 636);
    EXPECT_EQ(tiny.height, 440);
}

TEST(ProgramSettingsDefaultsTest, AnUnknownDesktopLeavesTheSizeOpen) {
    for (const auto& [desktopWidth, desktopHeight] :
         std::vector<std::pair<int, int>>{{0, 0}, {-1, 768}, {1024, 0}}) {
        const Settings settings = Defaults(desktopWidth, desktopHeight);
        EXPECT_EQ(settings.width, 0);
        EXPECT_EQ(settings.height, 0);
    }
}

TEST(ProgramSettingsDefaultsTest, SetDefaultsResetsEveryField) {
    Settings settings = NonDefaultSettings();
    settings.rememberLastPath = false;
    settings.rememberPosAndSize = false;
    settings.SetDefaults(1024, 768);
    EXPECT_EQ(settings, Defaults(1024, 768));
    EXPECT_FALSE(settings.startMaximized);
    EXPECT_TRUE(settings.rememberLastPath);
    EXPECT_TRUE(settings.renameOnlySelectedFiles);
    EXPECT_EQ(settings.lastPath, "");
    EXPECT_EQ(settings.colorSystemF, 0x000080u);
}

/// The width that settings give the file list's column of this kind: the
/// window sizes each column of the catalogue from the width at its index.
int32_t WidthOfColumn(const Settings& settings, ColumnKind kind) {
    CFileCatalogue catalogue;
    AddDefaultColumns(catalogue);
    for (int column = 0; column < catalogue.GetColumnCount(); ++column) {
        if (catalogue.GetColumn(column).kind == kind) {
            return settings.columnWidths[static_cast<std::size_t>(column)];
        }
    }
    ADD_FAILURE() << "no column of kind " << static_cast<int>(kind);
    return -1;
}

TEST(ProgramSettingsDefaultsTest, EveryColumnOfTheListGetsItsDefaultWidth) {
    const struct {
        ColumnKind kind;
        int32_t width;
    } expected[] = {
        {ColumnKind::FileName, 200},  {ColumnKind::Size, 60},      {ColumnKind::Type, 200},
        {ColumnKind::Attributes, 50}, {ColumnKind::Extension, 60}, {ColumnKind::Folder, 200},
        {ColumnKind::Created, 90},    {ColumnKind::Modified, 90},  {ColumnKind::Accessed, 90},
    };
    for (const auto& [kind, width] : expected) {
        SCOPED_TRACE(static_cast<int>(kind));
        EXPECT_EQ(WidthOfColumn(Defaults(), kind), width);
    }
}

TEST(ProgramSettingsLoadTest, EachWidthKeyWidensTheColumnItNames) {
    const struct {
        const char* key;
        ColumnKind kind;
    } keys[] = {
        {"name", ColumnKind::FileName},
        {"path", ColumnKind::Folder},
        {"size", ColumnKind::Size},
        {"type", ColumnKind::Type},
        {"ext", ColumnKind::Extension},
        {"created", ColumnKind::Created},
        {"modified", ColumnKind::Modified},
        {"accessed", ColumnKind::Accessed},
        {"attributes", ColumnKind::Attributes},
    };
    for (const auto& [key, kind] : keys) {
        SCOPED_TRACE(key);
        const Settings loaded = LoadContent(CrLf({"[ColumnsWidth]", std::string(key) + "=123"}));
        EXPECT_EQ(WidthOfColumn(loaded, kind), 123);
    }
}

TEST(ProgramSettingsSaveTest, DefaultsGiveThisFileText) {
    const CTempFolder folder;
    int error = -1;
    ASSERT_TRUE(Defaults(1024, 768).Save(folder / "norvikrename.ini", error));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(ReadWholeFile(folder / "norvikrename.ini"), DefaultSettingsText());
}

TEST(ProgramSettingsSaveTest, CreatesTheMissingFolder) {
    const CTempFolder folder;
    const std::string path = folder / "config/NorvikRename/norvikrename.ini";
    int error = -1;
    ASSERT_TRUE(NonDefaultSettings().Save(path, error));
    EXPECT_EQ(error, 0);
    Settings loaded = Defaults();
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded, NonDefaultSettings());
}

TEST(ProgramSettingsSaveTest, FailsWithTheErrnoWhenTheFolderCannotBeMade) {
    const CTempFolder folder;
    folder.WriteFile("file", "x");
    int error = 0;
    EXPECT_FALSE(Defaults().Save(folder / "file/norvikrename.ini", error));
    EXPECT_NE(error, 0);
    EXPECT_EQ(ReadWholeFile(folder / "file"), "x");
}

TEST(ProgramSettingsSaveTest, WritesPositionEvenWhenItIsNotRemembered) {
    Settings settings = NonDefaultSettings();
    settings.rememberPosAndSize = false;
    const CTempFolder folder;
    int error = 0;
    ASSERT_TRUE(settings.Save(folder / "norvikrename.ini", error));
    EXPECT_NE(ReadWholeFile(folder / "norvikrename.ini")
                  .find(CrLf({"[Position]", "X=-20", "Y=30", "Width=1200", "Height=900",
                              "SplitterPos=455", "Maximized=1"})),
              std::string::npos);
}

TEST(ProgramSettingsSaveTest, TheRenameOptionsInTheSameFileStay) {
    CRenameOptions options;
    options.name.replaceWithOn = true;
    options.name.replaceWithText = " <%Name%> é ";
    options.autonumber.base = AutonumberBase::Hex;
    const CTempFolder folder;
    const std::string path = folder / "norvikrename.ini";
    int error = 0;
    ASSERT_TRUE(SaveOptionsFile(path, options, error));
    ASSERT_TRUE(NonDefaultSettings().Save(path, error));
    ASSERT_TRUE(Defaults().Save(path, error));

    CRenameOptions loadedOptions;
    ASSERT_TRUE(LoadOptionsFile(path, loadedOptions));
    EXPECT_EQ(loadedOptions, options);

    // And the other way round: saving the options keeps the settings.
    ASSERT_TRUE(NonDefaultSettings().Save(path, error));
    ASSERT_TRUE(SaveOptionsFile(path, CRenameOptions(), error));
    Settings loaded = Defaults();
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded, NonDefaultSettings());
}

TEST(ProgramSettingsLoadTest, EveryFieldComesBack) {
    const CTempFolder folder;
    int error = 0;
    ASSERT_TRUE(NonDefaultSettings().Save(folder / "norvikrename.ini", error));
    Settings loaded = Defaults();
    ASSERT_TRUE(loaded.Load(folder / "norvikrename.ini"));
    EXPECT_EQ(loaded, NonDefaultSettings());
}

TEST(ProgramSettingsLoadTest, MissingKeysAndAMissingFileKeepTheCurrentValues) {
    EXPECT_EQ(LoadContent(CrLf({"[Others]", "StartMaximized=", "[Colors]", "Unknown=5"}),
                          NonDefaultSettings()),
              NonDefaultSettings());
    const CTempFolder folder;
    Settings settings = NonDefaultSettings();
    EXPECT_TRUE(settings.Load(folder / "missing.ini"));
    EXPECT_EQ(settings, NonDefaultSettings());
}

TEST(ProgramSettingsLoadTest, AFileThatCannotBeReadKeepsEverythingAndFails) {
    const CTempFolder folder;
    Settings settings = NonDefaultSettings();
    EXPECT_FALSE(settings.Load(folder.MakeFolder("norvikrename.ini")));
    EXPECT_EQ(settings, NonDefaultSettings());
}

TEST(ProgramSettingsLoadTest, SwitchesAreReadAsNumbers) {
    const Settings loaded = LoadContent(CrLf(
        {"[Others]", "StartMaximized=2", "AskConfirmationBeforeRenaming=no",
         "OnInsertDateUseGMT= -1 ", "RenameOnlySelectedFiles=0", "[Position]", "Maximized=7"}));
    EXPECT_TRUE(loaded.startMaximized);
    EXPECT_FALSE(loaded.askConfirmationBeforeRenaming);
    EXPECT_TRUE(loaded.onInsertDateUseGmt);
    EXPECT_FALSE(loaded.renameOnlySelectedFiles);
    EXPECT_TRUE(loaded.maximized);
}

TEST(ProgramSettingsLoadTest, SwapsAndChainsAreOffUnlessStoredOn) {
    EXPECT_FALSE(Defaults().allowSwapsAndChains);
    EXPECT_FALSE(LoadContent(CrLf({"[Others]", "StartMaximized=1"})).allowSwapsAndChains);
    EXPECT_TRUE(LoadContent(CrLf({"[Others]", "AllowSwapsAndChains=1"})).allowSwapsAndChains);
    Settings on = Defaults();
    on.allowSwapsAndChains = true;
    EXPECT_FALSE(LoadContent(CrLf({"[Others]", "AllowSwapsAndChains=0"}), on).allowSwapsAndChains);
}

TEST(ProgramSettingsSaveTest, SwapsAndChainsAreWrittenOnceTheyAreOn) {
    const CTempFolder folder;
    const std::string path = folder / "norvikrename.ini";
    int error = 0;
    Settings settings = Defaults();
    ASSERT_TRUE(settings.Save(path, error));
    EXPECT_EQ(ReadWholeFile(path).find("AllowSwapsAndChains"), std::string::npos);
    settings.allowSwapsAndChains = true;
    ASSERT_TRUE(settings.Save(path, error));
    // In the section Others.
    const std::string text = ReadWholeFile(path);
    EXPECT_NE(text.find("AllowSwapsAndChains=1\r\n"), std::string::npos);
    EXPECT_LT(text.find("AllowSwapsAndChains=1\r\n"), text.find("[ColumnsWidth]"));
    settings.allowSwapsAndChains = false;
    ASSERT_TRUE(settings.Save(path, error));
    EXPECT_NE(ReadWholeFile(path).find("AllowSwapsAndChains=0\r\n"), std::string::npos);
    Settings loaded = Defaults();
    loaded.allowSwapsAndChains = true;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_FALSE(loaded.allowSwapsAndChains);
}

TEST(ProgramSettingsLoadTest, LanguageFollowsTheEnvironmentUnlessStored) {
    EXPECT_EQ(Defaults().language, "");
    EXPECT_EQ(LoadContent(CrLf({"[Others]", "StartMaximized=1"})).language, "");
    EXPECT_EQ(LoadContent(CrLf({"[Others]", "Language=en"})).language, "en");
    EXPECT_EQ(LoadContent(CrLf({"[Others]", "Language=nl"})).language, "nl");
    // An unknown language is kept as it is; the window follows the
    // environment for it.
    EXPECT_EQ(LoadContent(CrLf({"[Others]", "Language=xx"})).language, "xx");
    EXPECT_EQ(LoadContent(CrLf({"[Options]", "Language=en"})).language, "");
}

TEST(ProgramSettingsSaveTest, LanguageIsWrittenOnceItIsChosen) {
    const CTempFolder folder;
    const std::string path = folder / "norvikrename.ini";
    int error = 0;
    Settings settings = Defaults();
    ASSERT_TRUE(settings.Save(path, error));
    const std::string before = ReadWholeFile(path);
    EXPECT_EQ(before.find("Language"), std::string::npos);
    ASSERT_TRUE(settings.Save(path, error));
    EXPECT_EQ(ReadWholeFile(path), before);
    settings.language = "en";
    ASSERT_TRUE(settings.Save(path, error));
    const std::string text = ReadWholeFile(path);
    EXPECT_NE(text.find("Language=en\r\n"), std::string::npos);
    EXPECT_LT(text.find("Language=en\r\n"), text.find("[ColumnsWidth]"));
    Settings loaded = Defaults();
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded.language, "en");
    // Back to the system's language: the key stays, empty.
    settings.language.clear();
    ASSERT_TRUE(settings.Save(path, error));
    EXPECT_NE(ReadWholeFile(path).find("Language=\r\n"), std::string::npos);
    loaded = Defaults();
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded.language, "");
}

TEST(ProgramSettingsLoadTest, WithRememberPosAndSizeOffThePositionIsIgnored) {
    Settings start = Defaults();
    start.rememberPosAndSize = true;
    const Settings loaded = LoadContent(
        CrLf({"[Others]", "RememberPosAndSize=0", "[ColumnsWidth]", "name=77", "[Position]", "X=10",
              "Y=20", "Width=1000", "Height=800", "SplitterPos=300", "Maximized=1"}),
        start);
    Settings expected = Defaults();
    expected.rememberPosAndSize = false;
    expected.columnWidths[kNameColumn] = 77;
    EXPECT_EQ(loaded, expected);
}

TEST(ProgramSettingsLoadTest, PositionFollowsRememberPosAndSizeAsJustRead) {
    Settings start = Defaults();
    start.rememberPosAndSize = false;
    const Settings loaded =
        LoadContent(CrLf({"[Others]", "RememberPosAndSize=1", "[Position]", "X=10", "Y=20",
                          "Width=1000", "Height=800", "SplitterPos=300", "Maximized=1"}),
                    start);
    EXPECT_TRUE(loaded.rememberPosAndSize);
    EXPECT_EQ(loaded.x, 10);
    EXPECT_EQ(loaded.y, 20);
    EXPECT_EQ(loaded.width, 1000);
    EXPECT_EQ(loaded.height, 800);
    EXPECT_EQ(loaded.splitterPos, 300);
    EXPECT_TRUE(loaded.maximized);
}

TEST(ProgramSettingsLoadTest, WithRememberLastPathOffLastPathKeepsItsDefault) {
    const Settings loaded =
        LoadContent(CrLf({"[Others]", "RememberLastPath=0", "LastPath=\"/media/photos/\""}));
    EXPECT_FALSE(loaded.rememberLastPath);
    EXPECT_EQ(loaded.lastPath, "");

    Settings start = Defaults();
    start.rememberLastPath = false;
    const Settings turnedOn =
        LoadContent(CrLf({"[Others]", "RememberLastPath=1", "LastPath=\"/media/photos/\""}), start);
    EXPECT_EQ(turnedOn.lastPath, "/media/photos/");
}

TEST(ProgramSettingsLoadTest, ColumnKeysMapToTheirIndexes) {
    const Settings loaded = LoadContent(
        CrLf({"[ColumnsWidth]",  "name=1",         "path=2",     "size=3",      "type=4",
              "ext=5",           "created=6",      "modified=7", "accessed=8",  "attributes=9",
              "name_preview=10", "[ColumnsOrder]", "name=18",    "path=17",     "size=16",
              "type=15",         "ext=14",         "created=13", "modified=12", "accessed=11",
              "attributes=10"}));
    EXPECT_EQ(loaded.columnWidths, (std::array<int32_t, 9>{1, 3, 4, 9, 5, 2, 6, 7, 8}));
    EXPECT_EQ(loaded.previewColumnWidth, 10);
    EXPECT_EQ(loaded.columnOrder, (std::array<int32_t, 9>{18, 17, 16, 15, 14, 13, 12, 11, 10}));
}

TEST(ProgramSettingsLoadTest, AHandWrittenColumnOrderReadsByPositionAndWritesBackTheSame) {
    // The header shows name, ext, size, path, type, created, modified,
    // accessed, attributes: ColumnsOrder holds, under the key at each
    // place, the column index shown at that position.
    const std::string text = DefaultSettingsText({{"ColumnsWidth", "name", "210"},
                                                  {"ColumnsWidth", "path", "310"},
                                                  {"ColumnsWidth", "size", "61"},
                                                  {"ColumnsWidth", "type", "120"},
                                                  {"ColumnsWidth", "ext", "45"},
                                                  {"ColumnsWidth", "created", "91"},
                                                  {"ColumnsWidth", "modified", "92"},
                                                  {"ColumnsWidth", "accessed", "93"},
                                                  {"ColumnsWidth", "attributes", "51"},
                                                  {"ColumnsWidth", "name_preview", "250"},
                                                  {"ColumnsOrder", "path", "4"},
                                                  {"ColumnsOrder", "size", "1"},
                                                  {"ColumnsOrder", "type", "5"},
                                                  {"ColumnsOrder", "ext", "2"},
                                                  {"ColumnsOrder", "created", "6"},
                                                  {"ColumnsOrder", "modified", "7"},
                                                  {"ColumnsOrder", "accessed", "8"},
                                                  {"ColumnsOrder", "attributes", "3"},
                                                  {"Position", "X", "10"},
                                                  {"Position", "Y", "20"},
                                                  {"Position", "Width", "1000"},
                                                  {"Position", "Height", "700"},
                                                  {"Position", "SplitterPos", "300"}});
    const CTempFolder folder;
    const std::string written = folder.WriteFile("written.ini", text);
    Settings loaded = Defaults();
    ASSERT_TRUE(loaded.Load(written));
    EXPECT_EQ(loaded.columnOrder,
              (std::array<int32_t, 9>{kNameColumn, kExtensionColumn, kSizeColumn, kFolderColumn,
                                      kTypeColumn, kCreatedColumn, kModifiedColumn, kAccessedColumn,
                                      kAttributesColumn}));
    EXPECT_EQ(loaded.columnWidths[kNameColumn], 210);
    EXPECT_EQ(loaded.columnWidths[kFolderColumn], 310);
    EXPECT_EQ(loaded.columnWidths[kSizeColumn], 61);
    EXPECT_EQ(loaded.columnWidths[kTypeColumn], 120);
    EXPECT_EQ(loaded.columnWidths[kExtensionColumn], 45);
    EXPECT_EQ(loaded.columnWidths[kAttributesColumn], 51);
    EXPECT_EQ(loaded.previewColumnWidth, 250);

    int error = -1;
    ASSERT_TRUE(loaded.Save(folder / "again.ini", error));
    EXPECT_EQ(ReadWholeFile(folder / "again.ini"), text);
}

TEST(ProgramSettingsLoadTest, ColoursAreDecimalNumbers) {
    const Settings loaded =
        LoadContent(CrLf({"[Colors]", "ColorSystemF=255", "ColorPreviewB=65280"}));
    EXPECT_EQ(loaded.colorSystemF, 0x0000FFu);
    EXPECT_EQ(loaded.colorPreviewB, 0x00FF00u);
    EXPECT_EQ(loaded.colorNormalB, 0xFFFFFFu);
}

} // namespace
