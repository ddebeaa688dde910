// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs and popups the commands open: settings, colours, the wide
// text box, About, the text editor, the extended filter, the folder
// browser, and the history, drive and list popups.

#include "ui/MainDlg.h"

#include "app/MessageBoxes.h"
#include "app/ProgramSettings.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"
#include "ui/AboutDlg.h"
#include "ui/ColorsDlg.h"
#include "ui/CommandIcons.h"
#include "ui/ExtensionTab.h"
#include "ui/FileListModel.h"
#include "ui/FilenameTab.h"
#include "ui/FolderBrowser.h"
#include "ui/IconMenu.h"
#include "ui/MainCommands.h"
#include "ui/MainFileList.h"
#include "ui/PopupMenus.h"
#include "ui/PreviewList.h"
#include "ui/PreviewModel.h"
#include "ui/QtText.h"
#include "ui/SettingsDlg.h"
#include "ui/TextEditorDlg.h"
#include "ui/TextInputDlg.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QStorageInfo>

namespace {

constexpr int kFirstDriveCommand = 40000;

/// File systems that hold no files a user would rename.
bool IsPseudoFileSystem(const QByteArray& type) {
    static const char* const kPseudo[] = {
        "proc",      "sysfs",   "devtmpfs", "devpts",     "cgroup",   "cgroup2",
        "securityfs", "pstore", "debugfs",  "tracefs",    "mqueue",   "hugetlbfs",
        "fusectl",   "configfs", "bpf",     "autofs",     "binfmt_misc", "efivarfs",
        "rpc_pipefs", "nsfs",   "ramfs",    "squashfs",
    };
    for (const char* pseudo : kPseudo) {
        if (type == pseudo) {
            return true;
        }
    }
    return false;
}

} // namespace

void CMainDlg::RunSettingsDialog() {
    CProgramSettings& settings = services.settings;
    CSettingsDlg dialog(settings, shellVerbPresent && shellVerbPresent(), this);
    if (RunModal(dialog) != QDialog::Accepted) {
        return;
    }
    dialog.TakeValues(settings);
    if (installShellVerb) {
        installShellVerb(dialog.ShellVerbWanted());
    }
    core.GetSwitches() = settings.CoreSwitches();
    CFileCatalogue& catalogue = core.GetCatalogue();
    if (catalogue.GetSortNamesAsNumbers() != settings.sortColumnNameAsNumber) {
        // The list re-sorts in the new mode; the preview follows the rows.
        catalogue.SetSortNamesAsNumbers(settings.sortColumnNameAsNumber);
    } else {
        // A date tag may read UTC now.
        RecomputePreview(false);
    }
}

void CMainDlg::RunColoursDialog() {
    CProgramSettings& s = services.settings;
    uint32_t* const fields[CColorsDlg::kColourCount] = {
        &s.colorNormalF,   &s.colorNormalB,   &s.colorHiddenF,  &s.colorHiddenB,
        &s.colorReadOnlyF, &s.colorReadOnlyB, &s.colorSystemF,  &s.colorSystemB,
        &s.colorPreviewF,  &s.colorPreviewB,  &s.colorPreviewBeingRenamedF,
        &s.colorPreviewBeingRenamedB,
    };
    CColorsDlg::Colours colours{};
    for (std::size_t i = 0; i < colours.size(); ++i) {
        colours[i] = *fields[i];
    }
    CColorsDlg dialog(colours, this);
    dialog.SetChooser(colourChooser);
    if (RunModal(dialog) != QDialog::Accepted) {
        return;
    }
    colours = dialog.GetColours();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        *fields[i] = colours[i];
    }
    ApplyColours();
}

void CMainDlg::RunWideTextBox() {
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (edit == nullptr ||
        (!filenameTab->IsRuleTextEdit(edit) && !extensionTab->IsRuleTextEdit(edit))) {
        return;
    }
    CTextInputDlg dialog(edit->text(), &core, this);
    if (RunModal(dialog) != QDialog::Accepted) {
        return;
    }
    // The page takes the new text and recomputes the preview.
    edit->setText(dialog.GetText());
    edit->setFocus();
}

void CMainDlg::RunAboutBox() {
    CAboutDlg dialog(this);
    RunModal(dialog);
}

void CMainDlg::ShowTextEditor() {
    textEditor->ShowEditor();
}

QStringList CMainDlg::ImportRows(int commandId) const {
    const bool preview = commandId == CTextEditorDlg::kCmdImportAllPreview ||
                         commandId == CTextEditorDlg::kCmdImportSelectedPreview;
    const bool selectedOnly = commandId == CTextEditorDlg::kCmdImportSelectedPreview ||
                              commandId == CTextEditorDlg::kCmdImportSelectedFiles;
    const QAbstractItemModel* model =
        preview ? static_cast<const QAbstractItemModel*>(previewModel) : fileModel;
    const QTableView* view = preview ? static_cast<const QTableView*>(previewList) : fileList;
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (selectedOnly && !view->selectionModel()->isRowSelected(row, QModelIndex())) {
            continue;
        }
        rows << model->index(row, 0).data().toString();
    }
    return rows;
}

void CMainDlg::RunExtendedFilter() {
    if (extendedFilterOpen) {
        return;
    }
    CFileCatalogue& catalogue = core.GetCatalogue();
    CExtendedFilterDlg dialog(catalogue.GetFilter(), extendedFilterValues, services.messageBoxes,
                              this);
    extendedFilterOpen = true;
    const int result = RunModal(dialog);
    extendedFilterOpen = false;
    if (result != QDialog::Accepted) {
        return;
    }
    const CExtendedFilterDlg::CValues& values = dialog.GetValues();
    extendedFilterValues = values;
    // Every setter with the refresh held back; one scan at the end.
    catalogue.SetAutoRefresh(false);
    catalogue.SetFilterNameLength(values.nameLengthMode, values.nameLength);
    catalogue.SetFilterSize(values.sizeMode, values.sizeInBytes);
    using Range = CExtendedFilterDlg::RangeIndex;
    const auto& ranges = values.ranges;
    catalogue.SetFilterModifiedRange(ranges[Range::kModified].enabled,
                                     ranges[Range::kModified].from, ranges[Range::kModified].to);
    catalogue.SetFilterCreatedRange(ranges[Range::kCreated].enabled, ranges[Range::kCreated].from,
                                    ranges[Range::kCreated].to);
    catalogue.SetFilterAccessedRange(ranges[Range::kAccessed].enabled,
                                     ranges[Range::kAccessed].from, ranges[Range::kAccessed].to);
    catalogue.SetFilterShowSystem(values.showSystem);
    catalogue.SetFilterShowHidden(values.showHidden);
    catalogue.SetFilterShowReadOnly(values.showReadOnly);
    catalogue.SetAutoRefresh(true);
    FocusFileList();
}

void CMainDlg::ShowHistoryPopup() {
    const CFileCatalogue& catalogue = core.GetCatalogue();
    const int count = catalogue.GetHistoryCount();
    if (count == 0) {
        return;
    }
    std::vector<CMenuItem> items;
    for (int index = count - 1; index >= 0; --index) {
        items.push_back(CMenuItem{index + 1, ToQt(catalogue.GetHistoryItem(index))});
    }
    std::unique_ptr<QMenu> menu(CIconMenu::Build(items, this));
    menu->setObjectName(QStringLiteral("historyPopup"));
    menu->setTitle(Window::tr("1-Padengeschiedenis"));
    const int chosen = RunPopup(*menu);
    if (chosen > 0) {
        core.GetCatalogue().HistoryGoTo(chosen - 1);
    }
    FocusFileList();
}

void CMainDlg::ShowDrivePopup() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<CMenuItem> items;
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || IsPseudoFileSystem(volume.fileSystemType())) {
            continue;
        }
        roots.push_back(volume.rootPath());
    }
    roots.sort();
    roots.removeDuplicates();
    for (qsizetype i = 0; i < roots.size(); ++i) {
        items.push_back(CMenuItem{kFirstDriveCommand + static_cast<int>(i), roots[i]});
    }
    QApplication::restoreOverrideCursor();
    if (items.empty()) {
        return;
    }
    std::unique_ptr<QMenu> menu(CIconMenu::Build(items, this));
    menu->setObjectName(QStringLiteral("drivePopup"));
    for (QAction* action : menu->actions()) {
        action->setIcon(QIcon::fromTheme(QStringLiteral("drive-harddisk"),
                                         CommandIcon(cmd::kSelectDrive)));
    }
    const int chosen = RunPopup(*menu);
    if (chosen < kFirstDriveCommand) {
        return;
    }
    const QString root = roots.value(chosen - kFirstDriveCommand);
    if (!core.GetCatalogue().SetFolder(FromQt(root), false)) {
        services.messageBoxes.ShowWarning(
            this, FillText(LookupString(strings::kCannotAccessDrive), {FromQt(root)}),
            std::string(), 48);
    }
}

void CMainDlg::BrowseForFolder() {
    CFolderBrowser browser(services.fileDialogs, this, ToQt(core.GetCatalogue().GetFolder()));
    if (browser.Run()) {
        const std::string chosen = FromQt(browser.GetPath());
        if (!platform::IsExistingFolder(chosen) || !core.GetCatalogue().SetFolder(chosen, false)) {
            services.messageBoxes.ShowWarning(
                this, FillText(LookupString(strings::kCannotOpenSelectedFolder), {chosen}), std::string(),
                48);
        }
    }
    FocusFileList();
}

void CMainDlg::ShowListPopup() {
    const std::vector<CMenuItem> items = {
        {cmd::kMakeRenameScript, Window::tr("Maak een hernoem .BAT bestand")},
        {cmd::kSavePreview, actions.value(cmd::kSavePreview)->text()},
        {cmd::kLoadOptions, actions.value(cmd::kLoadOptions)->text()},
        {cmd::kSaveOptions, actions.value(cmd::kSaveOptions)->text()},
        {cmd::kDefaultOptions, actions.value(cmd::kDefaultOptions)->text()},
    };
    std::unique_ptr<QMenu> menu(CIconMenu::Build(items, this));
    menu->setObjectName(QStringLiteral("previewPopup"));
    menu->setTitle(Window::tr("3-Voorbeeld"));
    const int chosen = RunPopup(*menu);
    if (chosen != 0) {
        RunCommand(chosen);
    }
}

int CMainDlg::RunPopup(QMenu& menu) {
    ++modalDepth;
    const auto closed = qScopeGuard([this] { --modalDepth; });
    return services.popupMenus.Choose(menu, QCursor::pos());
}

int CMainDlg::RunModal(QDialog& dialog) {
    ++modalDepth;
    const auto closed = qScopeGuard([this] { --modalDepth; });
    if (modalRunner) {
        return modalRunner(dialog);
    }
    return dialog.exec();
}
