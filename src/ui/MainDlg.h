// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/RenameCore.h"
#include "ui/ExtendedFilterDlg.h"

#include <QColor>
#include <QHash>
#include <QStringList>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class CAutonumberTab;
class CComputationSlicer;
class CCommandLineKeywords;
class CExtensionTab;
class CFileDialogs;
class CFileListModel;
class CFilenameTab;
class CFlatButton;
class CMainFileList;
class CMessageBoxes;
class CMimeTypeNames;
class CPaneSplitter;
class CPopupMenus;
class CPreviewList;
class CPreviewModel;
class CWorkProgress;
class CProgramSettings;
class CTextEditorDlg;
class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QToolBar;

/// What the main window works with but does not own: the settings of the
/// run, the command line, and the seams through which it shows message
/// boxes, file dialogs, popups and modal dialogs (tests answer them).
struct CMainDlgServices {
    CProgramSettings& settings;
    const CCommandLineKeywords& keywords;
    CMessageBoxes& messageBoxes;
    CFileDialogs& fileDialogs;
    CPopupMenus& popupMenus;
    std::string settingsFilePath;
    /// Where renames keep their undo journal for the next run; empty:
    /// nowhere (the undo lasts as long as the window).
    std::string undoJournalPath = {};
};

/// The program's window: path and mask, the file list and the preview side
/// by side, the rule pages, and the commands. It owns the window-free core
/// and shows its state; every action is one call on the core.
class CMainDlg : public QMainWindow, public CRenameFrontEnd {
    Q_OBJECT
public:
    explicit CMainDlg(CMainDlgServices services, QWidget* parent = nullptr);
    ~CMainDlg() override;

    CRenameCore& GetCore() { return core; }
    QAction* GetAction(int commandId) const { return actions.value(commandId); }
    CMainFileList* GetFileList() const { return fileList; }
    CPreviewList* GetPreviewList() const { return previewList; }
    CFileListModel* GetFileListModel() const { return fileModel; }
    CPreviewModel* GetPreviewModel() const { return previewModel; }
    QTabWidget* GetTabs() const { return tabs; }
    CFilenameTab* GetFilenameTab() const { return filenameTab; }
    CExtensionTab* GetExtensionTab() const { return extensionTab; }
    CAutonumberTab* GetAutonumberTab() const { return autonumberTab; }
    QLineEdit* GetPathEdit() const { return pathEdit; }
    QComboBox* GetMaskCombo() const { return maskCombo; }
    CPaneSplitter* GetSplitter() const { return splitter; }
    /// The text editor window: made hidden at start, kept until the end.
    CTextEditorDlg* GetTextEditor() const { return textEditor; }
    /// The progress dialogs of the work the window runs.
    CWorkProgress& GetWorkProgress() { return *workProgress; }
    /// True while work runs (a scan, or work with its progress open): every
    /// command is refused.
    bool IsWorking() const;

    /// Seam: how a modal dialog is run (the default execs it); returns the
    /// dialog's result.
    void SetModalRunner(std::function<int(QDialog&)> runner) { modalRunner = std::move(runner); }

    /// Seam: the colour chooser the colour dialog's swatches run (none: the
    /// system colour dialog).
    void SetColourChooser(std::function<QColor(const QColor&)> chooser) {
        colourChooser = std::move(chooser);
    }

    /// How the settings dialog learns and changes whether the shell verb is
    /// installed (none: the box starts off and changes nothing).
    void SetShellVerb(std::function<bool()> present, std::function<void(bool)> install) {
        shellVerbPresent = std::move(present);
        installShellVerb = std::move(install);
    }

    /// Runs a command by id, as its key, button or popup item would.
    void RunCommand(int commandId);

    /// Recomputes the preview (force: even when the automatic preview is off).
    void RecomputePreview(bool force);
    /// Title, path box, selected count and toolbar after a folder was listed.
    void FolderReloaded();
    /// Enables and disables the commands by the state of the core.
    void UpdateToolbarState();
    /// Stores the placement, the splitter, the columns and the folder into
    /// the settings, and the rules into the settings file when they are
    /// reloaded at start. Runs when the window closes.
    void StoreSettings();
    /// Pushes the twelve list colours of the settings into both lists.
    void ApplyColours();

    // CRenameFrontEnd
    int ShowMessage(MessageKind kind, const std::string& text, int style) override;
    void ShowErrorList(const std::vector<CRenameFailure>& failures) override;
    std::string ChooseSaveFile(SaveFileKind kind) override;
    void OnRowsAboutToChange() override;
    void OnRowsChanged() override;
    void OnRowsAboutToReorder() override;
    void OnRowsReordered(const std::vector<uint32_t>& sources) override;
    void OnSelectionChanged(int row) override;
    void OnPreviewAboutToChange() override;
    void OnPreviewChanged() override;
    void OpenProgress(const std::string& text, bool cancelAllowed, int range,
                      int position) override;
    void SetProgress(int position) override;
    bool IsProgressCancelled() override;
    void CloseProgress() override;
    void OnRefreshStarted() override;
    void OnPatternStarted(const std::string& pattern) override;
    void OnFolderEntered(const std::string& folder, bool& cancelled) override;
    void OnRefreshEnded(bool cancelled) override;
    void OnOptionsChanged() override;
    void OnUndoStateChanged() override;
    bool GetEditorLine(int index, std::string& line) override;
    void RequestComputationTime() override;
    bool GetVisibleRows(int& first, int& last) override;

    /// What runs the core's piecewise computations between events.
    CComputationSlicer& GetSlicer() const { return *slicer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Building the window (MainDlgLayout.cpp).
    void CreateActions();
    void CreateWidgets();
    void CreateLayout();
    void ConnectSignals();
    void ResetSplitter();

    // Settings (MainDlgSettings.cpp).
    /// The settings and the command line taken at start.
    void StartUp();
    void PlaceWindow();

    // The commands (MainDlgCommands.cpp).
    void GoToTypedPath();
    void ApplyMaskText(const QString& text);
    void LoadOptionsFile();
    void SaveOptionsFile();
    /// Loads an options file the user named; a warning that names it when
    /// it cannot be read.
    void LoadOptionsWithWarning(const std::string& path);
    void SelectAllRows();
    void MoveRows(bool up);
    void SelectNextTab();
    void ShowTabPage(int index);
    void FocusFileList();

    // Dialogs and popups (MainDlgDialogs.cpp).
    void ShowHistoryPopup();
    void ShowDrivePopup();
    void BrowseForFolder();
    void ShowListPopup();
    void RunSettingsDialog();
    void RunColoursDialog();
    void RunWideTextBox();
    void RunAboutBox();
    void ShowTextEditor();
    /// The first-column texts of the rows a text editor import takes.
    QStringList ImportRows(int commandId) const;
    /// "Uitgebreide filter opties" (F3) and its values applied with one rescan.
    void RunExtendedFilter();
    int RunPopup(QMenu& menu);
    int RunModal(QDialog& dialog);
    /// True when a slice of a piecewise computation may run now: no work,
    /// box, menu or modal dialog of the window is open.
    bool MayComputeSlice() const;

    CMainDlgServices services;
    std::unique_ptr<CMimeTypeNames> typeNames;
    CRenameCore core;
    QHash<int, QAction*> actions;

    QToolBar* mainToolbar = nullptr;
    QToolBar* folderToolbar = nullptr;
    QLabel* pathLabel = nullptr;
    QLineEdit* pathEdit = nullptr;
    QLabel* maskLabel = nullptr;
    QComboBox* maskCombo = nullptr;
    CPaneSplitter* splitter = nullptr;
    CMainFileList* fileList = nullptr;
    CPreviewList* previewList = nullptr;
    CFileListModel* fileModel = nullptr;
    CPreviewModel* previewModel = nullptr;
    QTabWidget* tabs = nullptr;
    CFilenameTab* filenameTab = nullptr;
    CExtensionTab* extensionTab = nullptr;
    CAutonumberTab* autonumberTab = nullptr;
    QCheckBox* onlySelectedCheck = nullptr;
    CFlatButton* renameButton = nullptr;
    CFlatButton* undoButton = nullptr;
    CFlatButton* aboutButton = nullptr;

    CTextEditorDlg* textEditor = nullptr;
    std::unique_ptr<CWorkProgress> workProgress;
    /// The extended filter's values of the last OK in this run.
    std::optional<CExtendedFilterDlg::CValues> extendedFilterValues;
    bool extendedFilterOpen = false;

    std::function<int(QDialog&)> modalRunner;
    std::function<QColor(const QColor&)> colourChooser;
    std::function<bool()> shellVerbPresent;
    std::function<void(bool)> installShellVerb;
    bool started = false;
    /// RECURSIVE=1: the recursive listing waits until the window shows, so
    /// that its progress shows and "Annuleren" can stop it.
    bool recursiveWhenShown = false;
    /// The splitter position to take at the first layout (0: none).
    int startSplitterPosition = 0;
    int rowsDepth = 0;
    CComputationSlicer* slicer = nullptr;
    /// Above zero while a box, menu, file dialog or modal dialog of the
    /// window runs its own event loop.
    int modalDepth = 0;
};
