// SPDX-License-Identifier: GPL-3.0-or-later
// The settings and the command line at start, the window's placement, the
// list colours, and what the window keeps in the settings when it closes.

#include "ui/MainDlg.h"

#include "app/CommandLineKeywords.h"
#include "app/ProgramSettings.h"
#include "platform/FileSystem.h"
#include "ui/AutonumberTab.h"
#include "ui/ExtensionTab.h"
#include "ui/FileListModel.h"
#include "ui/FilenameTab.h"
#include "ui/MainCommands.h"
#include "ui/MainFileList.h"
#include "ui/PaneSplitter.h"
#include "ui/PreviewList.h"
#include "ui/PreviewModel.h"
#include "ui/QtText.h"
#include "ui/WindowPlacement.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>

void CMainDlg::StartUp() {
    CProgramSettings& settings = services.settings;
    CFileCatalogue& catalogue = core.GetCatalogue();
    core.GetSwitches() = settings.CoreSwitches();

    // Toolbar toggles show the catalogue's switches.
    for (const auto& [id, on] : {std::pair{cmd::kShowFolders, catalogue.GetShowFolders()},
                                 std::pair{cmd::kShowFiles, catalogue.GetShowFiles()},
                                 std::pair{cmd::kFoldersAsFiles, catalogue.GetFoldersAsFiles()},
                                 std::pair{cmd::kRecursive, catalogue.GetRecursive()},
                                 std::pair{cmd::kPreview, core.IsAutoPreview()}}) {
        QSignalBlocker block(actions.value(id));
        actions.value(id)->setChecked(on);
    }

    {
        QSignalBlocker block(onlySelectedCheck);
        onlySelectedCheck->setChecked(settings.renameOnlySelectedFiles);
    }
    core.GetOptions().renameOnlySelected = settings.renameOnlySelectedFiles;

    filenameTab->SetOwnerLinked(true);
    extensionTab->SetOwnerLinked(true);
    autonumberTab->SetOwnerLinked(true);

    // The start folder: PATH, else the last folder when it is remembered,
    // else the current folder.
    const CCommandLineKeywords& keywords = services.keywords;
    const std::string path = keywords.GetPath();
    bool folderSet = false;
    if (!path.empty() && path != "." && path != ".." && path != "./" && path != ".\\") {
        folderSet = catalogue.SetFolder(platform::ExpandPath(path), true);
    } else if (settings.rememberLastPath && !settings.lastPath.empty()) {
        folderSet = catalogue.SetFolder(settings.lastPath, true);
    }
    if (!folderSet) {
        catalogue.SetFolder(std::string(), true);
    }
    catalogue.SetSortNamesAsNumbers(settings.sortColumnNameAsNumber);

    if (const std::string filter = keywords.GetFilter(); !filter.empty()) {
        maskCombo->setEditText(ToQt(filter));
        catalogue.SetMask(filter);
    }
    // The rules of the last run, unless the command line names an options file.
    if (settings.reloadUserOptionsOnStart && keywords.GetNrFile().empty()) {
        core.LoadRememberedOptions(services.settingsFilePath);
    }
    if (const std::string nrFile = keywords.GetNrFile(); !nrFile.empty()) {
        const std::string optionsPath = platform::ExpandPath(nrFile);
        LoadOptionsWithWarning(optionsPath);
    }
    // The first scan lists the folder alone; a recursive listing follows once
    // the window shows.
    recursiveWhenShown = keywords.GetRecursive();

    ApplyColours();
    // Column widths by column index, as the settings keep them.
    for (int column = 0; column < catalogue.GetColumnCount() &&
                        column < static_cast<int>(CProgramSettings::kColumnCount);
         ++column) {
        catalogue.SetColumnWidth(column,
                                 settings.columnWidths[static_cast<std::size_t>(column)]);
    }
    catalogue.SetColumnOrder(
        std::vector<int>(settings.columnOrder.begin(), settings.columnOrder.end()));
    // The first scan fills the lists and computes the preview.
    catalogue.SetAutoRefresh(true);
    fileList->ApplyColumnLayout();

    // The last rename of an earlier run can be undone while its files are
    // where it left them.
    core.SetUndoStorePath(services.undoJournalPath);
    core.LoadStoredUndo();

    PlaceWindow();
    started = true;
    ResetSplitter();
    FolderReloaded();
    fileList->setFocus();
}

void CMainDlg::PlaceWindow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize desktop =
        screen != nullptr ? screen->availableGeometry().size() : QSize(1024, 768);
    const CWindowPlacement placement = ComputeWindowPlacement(services.settings, desktop);
    resize(placement.rect.size());
    move(placement.rect.topLeft());
    if (placement.maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    startSplitterPosition = placement.splitterPosition;
}

void CMainDlg::StoreSettings() {
    CProgramSettings& settings = services.settings;
    if (isMaximized()) {
        settings.x = -1;
        settings.y = -1;
        settings.width = 622;
        settings.height = 442;
        settings.maximized = true;
    } else {
        const QRect frame = geometry();
        settings.x = frame.x();
        settings.y = frame.y();
        settings.width = frame.width();
        settings.height = frame.height();
        settings.maximized = false;
    }
    settings.splitterPos = splitter->GetPosition();
    CFileCatalogue& catalogue = core.GetCatalogue();
    settings.lastPath = catalogue.GetFolder();
    for (int column = 0; column < static_cast<int>(CProgramSettings::kColumnCount) &&
                         column < catalogue.GetColumnCount();
         ++column) {
        settings.columnWidths[static_cast<std::size_t>(column)] = fileList->columnWidth(column);
    }
    settings.previewColumnWidth = previewList->columnWidth(0);
    const std::vector<int>& order = catalogue.GetColumnOrder();
    if (order.size() == CProgramSettings::kColumnCount) {
        std::copy(order.begin(), order.end(), settings.columnOrder.begin());
    }
    if (settings.reloadUserOptionsOnStart) {
        int error = 0;
        core.SaveOptions(services.settingsFilePath, error);
    }
}

void CMainDlg::ApplyColours() {
    const CProgramSettings& s = services.settings;
    fileModel->SetColours(CFileListColours{s.colorNormalF, s.colorNormalB, s.colorHiddenF,
                                           s.colorHiddenB, s.colorReadOnlyF, s.colorReadOnlyB,
                                           s.colorSystemF, s.colorSystemB});
    previewModel->SetColours(CPreviewColours{s.colorPreviewF, s.colorPreviewB,
                                             s.colorPreviewBeingRenamedF,
                                             s.colorPreviewBeingRenamedB});
}
