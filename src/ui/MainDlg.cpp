#include "ui/MainDlg.h"

#include "app/CommandLineKeywords.h"
#include "app/MessageBoxes.h"
#include "app/MimeTypeNames.h"
#include "app/ProgramSettings.h"
#include "catalogue/DefaultColumns.h"
#include "engine/IniFile.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"
#include "ui/AboutDlg.h"
#include "ui/AutonumberTab.h"
#include "ui/ColorsDlg.h"
#include "ui/CommandIcons.h"
#include "ui/ExtensionTab.h"
#include "ui/ExtendedFilterDlg.h"
#include "ui/FileDialogs.h"
#include "ui/FileListModel.h"
#include "ui/FilenameTab.h"
#include "ui/FlatButton.h"
#include "ui/FolderBrowser.h"
#include "ui/IconMenu.h"
#include "ui/MainCommands.h"
#include "ui/MainFileList.h"
#include "ui/Manual.h"
#include "ui/ManualRenameDlg.h"
#include "ui/PaneSplitter.h"
#include "ui/PopupMenus.h"
#include "ui/PreviewList.h"
#include "ui/PreviewModel.h"
#include "ui/QtText.h"
#include "ui/RenameErrorsDlg.h"
#include "ui/SettingsDlg.h"
#include "ui/TextEditorDlg.h"
#include "ui/TextInputDlg.h"
#include "ui/WindowPlacement.h"
#include "ui/ProgressTextDlg.h"
#include "ui/WorkProgress.h"
#include "ui/TagMenu.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTabBar>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kMinWidth = 740;
constexpr int kMinHeight = 420;
constexpr int kMinPane = 120;
constexpr int kMargin = 6;
constexpr int kFirstDriveCommand = 40000;
constexpr int kSplitterId = 1002;

/// The masks offered in the mask box, "*.*" first.
constexpr const char* kMasks[] = {
    "*.*",
    "*.mp3;*.ra;*.ram;*.rm",
    "*.jpg;*.jpeg;*.gif;*.bmp;*.png;*.ico;*.cur;*.psd;*.tga;*.targa;*.iff;*.pcx;*.pcc;*.ilbm;"
    "*.lbm",
    "*.txt;*.doc;*.me",
    "*.c;*.cpp;*.dsp;*.odl;*.h;*.rc",
    "*.vbg;*.vbp;*.bas;*.cls;*.frm;*.frx",
    "*.htm;*.html",
    "*.wav",
};

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

CMainDlg::CMainDlg(CMainDlgServices servicesIn, QWidget* parent)
    : QMainWindow(parent),
      services(std::move(servicesIn)),
      typeNames(std::make_unique<CMimeTypeNames>()),
      core(this),
      workProgress(std::make_unique<CWorkProgress>(*this)) {
    setObjectName(QStringLiteral("CMainDlg"));
    setWindowTitle(UiText(strings::kCaptionProgram));
    setWindowIcon(ProgramIcon());
    setMinimumSize(kMinWidth, kMinHeight);

    CFileCatalogue& catalogue = core.GetCatalogue();
    catalogue.SetTypeNameSource(typeNames.get());
    AddDefaultColumns(catalogue);

    CreateActions();
    CreateWidgets();
    CreateLayout();
    ConnectSignals();
    StartUp();
}

CMainDlg::~CMainDlg() {
    // The lists and pages hold the core: they go before it does (the base
    // class would delete them only after the members).
    core.SetFrontEnd(nullptr);
    // A window still shown hides its children in ~QWidget, and the list
    // headers then ask the catalogue for their titles: the lists and pages
    // must go while the core is still there.
    hide();
    delete takeCentralWidget();
    core.GetCatalogue().SetTypeNameSource(nullptr);
}

// ---------------------------------------------------------------------------
// Construction

void CMainDlg::CreateActions() {
    for (const CMainCommand& command : MainCommands()) {
        auto* action = new QAction(this);
        const QString tooltip = UiText(command.id);
        const QString text = command.menuText != nullptr ? QString::fromUtf8(command.menuText)
                                                         : tooltip;
        action->setText(text);
        action->setToolTip(tooltip.isEmpty() ? text : tooltip);
        action->setObjectName(QStringLiteral("action%1").arg(command.id));
        action->setData(command.id);
        action->setCheckable(command.checkable);
        if (command.key != nullptr) {
            action->setShortcut(QKeySequence(QString::fromLatin1(command.key)));
            // Keys work wherever the focus is inside the window.
            action->setShortcutContext(Qt::WindowShortcut);
        }
        const QIcon icon = CommandIcon(command.id);
        if (!icon.isNull()) {
            action->setIcon(icon);
        }
        const int id = command.id;
        if (command.checkable) {
            connect(action, &QAction::toggled, this, [this, id](bool) { RunCommand(id); });
        } else {
            connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        }
        addAction(action);
        actions.insert(command.id, action);
    }
    // Ctrl+A and the row moves belong to the file list; Ctrl+Tab must not
    // be taken by a focused tab bar or edit first.
    actions.value(cmd::kSelectAll)->setShortcutContext(Qt::WindowShortcut);
}

void CMainDlg::CreateWidgets() {
    mainToolbar = new QToolBar(this);
    mainToolbar->setObjectName(QStringLiteral("mainToolbar"));
    mainToolbar->setAccessibleName(QStringLiteral("Werkbalk"));
    mainToolbar->setMovable(false);
    mainToolbar->setFloatable(false);
    mainToolbar->setIconSize(QSize(16, 16));
    mainToolbar->toggleViewAction()->setEnabled(false);
    for (const int id : MainToolbarOrder()) {
        if (id == cmd::kSeparator) {
            mainToolbar->addSeparator();
        } else {
            mainToolbar->addAction(actions.value(id));
        }
    }
    addToolBar(Qt::TopToolBarArea, mainToolbar);
    setContextMenuPolicy(Qt::NoContextMenu);

    QWidget* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);

    pathLabel = new QLabel(QStringLiteral("&Pad"), central);
    pathEdit = new QLineEdit(central);
    pathEdit->setObjectName(QStringLiteral("pathEdit"));
    pathEdit->setAccessibleName(QStringLiteral("Pad"));
    pathLabel->setBuddy(pathEdit);

    folderToolbar = new QToolBar(central);
    folderToolbar->setObjectName(QStringLiteral("folderToolbar"));
    folderToolbar->setAccessibleName(QStringLiteral("Map"));
    folderToolbar->setIconSize(QSize(16, 16));
    folderToolbar->addAction(actions.value(cmd::kSelectFolder));

    maskLabel = new QLabel(QStringLiteral("&Masker"), central);
    maskCombo = new QComboBox(central);
    maskCombo->setObjectName(QStringLiteral("maskCombo"));
    maskCombo->setAccessibleName(QStringLiteral("Masker"));
    maskCombo->setEditable(true);
    maskCombo->setInsertPolicy(QComboBox::NoInsert);
    // The typed mask is the mask: no inline completion turns "*.h" into
    // "*.htm;*.html" on Enter.
    maskCombo->setCompleter(nullptr);
    maskCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    maskCombo->setMinimumContentsLength(12);
    for (const char* mask : kMasks) {
        maskCombo->addItem(QString::fromLatin1(mask));
    }
    maskCombo->setCurrentIndex(0);
    maskCombo->lineEdit()->setAccessibleName(QStringLiteral("Masker"));
    maskLabel->setBuddy(maskCombo);

    fileList = new CMainFileList(core, central);
    fileList->SetMessageBoxes(&services.messageBoxes);
    fileList->SetManualRenamePrompt([this](const QString& oldName, QString& newName) {
        const bool isFolder = core.GetCatalogue().GetSelectedCount() == 1 &&
                              core.GetCatalogue().GetFocusedRow() >= 0 &&
                              core.GetCatalogue()
                                  .GetRowEntry(core.GetCatalogue().GetFocusedRow())
                                  .IsFolder();
        CManualRenameDlg dialog(oldName, isFolder, services.messageBoxes, this);
        if (RunModal(dialog) != QDialog::Accepted) {
            return false;
        }
        newName = dialog.GetNewName();
        return true;
    });
    fileModel = &fileList->GetModel();
    previewList = new CPreviewList(core, central);
    previewModel = &previewList->GetModel();
    fileList->setContextMenuPolicy(Qt::CustomContextMenu);
    previewList->setContextMenuPolicy(Qt::CustomContextMenu);
    fileList->installEventFilter(this);
    CTagMenu::SetIconProvider(&CommandIcon);

    splitter = new CPaneSplitter(Qt::Horizontal, fileList, previewList, kMinPane, kMinPane, central);
    splitter->setObjectName(QStringLiteral("splitter"));
    {
        // The bar's own start position (the window sets its own right after).
        CIniFile ini;
        if (ini.Load(services.settingsFilePath)) {
            splitter->SetPosition(splitter->ReadStartPosition(ini, kSplitterId));
        }
    }
    splitter->installEventFilter(this);

    tabs = new QTabWidget(central);
    tabs->setObjectName(QStringLiteral("ruleTabs"));
    tabs->setAccessibleName(QStringLiteral("Regels"));
    CRenameOptions& options = core.GetOptions();
    filenameTab = new CFilenameTab(options.name, core, tabs);
    extensionTab = new CExtensionTab(options.extension, core, tabs);
    autonumberTab = new CAutonumberTab(options.autonumber, tabs);
    tabs->addTab(filenameTab, RuleTabIcon(0), UiText(strings::kTabFilename));
    tabs->addTab(extensionTab, RuleTabIcon(1), UiText(strings::kTabExtension));
    tabs->addTab(autonumberTab, RuleTabIcon(2), UiText(strings::kTabAutonumber));

    onlySelectedCheck =
        new QCheckBox(QStringLiteral("Hernoem &alleen de geselecteerde bestanden"), central);
    onlySelectedCheck->setObjectName(QStringLiteral("onlySelectedCheck"));
    tabs->setCornerWidget(onlySelectedCheck, Qt::TopRightCorner);

    renameButton = new CFlatButton(QStringLiteral("&Hernoemen"), central);
    renameButton->setObjectName(QStringLiteral("renameButton"));
    renameButton->SetImage(CommandIcon(cmd::kRename));
    renameButton->setToolTip(UiText(cmd::kRename));
    undoButton = new CFlatButton(QStringLiteral("He&rstellen"), central);
    undoButton->setObjectName(QStringLiteral("undoButton"));
    undoButton->SetImage(CommandIcon(cmd::kUndo));
    undoButton->setToolTip(UiText(cmd::kUndo));
    aboutButton = new CFlatButton(QStringLiteral("&Over"), central);
    aboutButton->setObjectName(QStringLiteral("aboutButton"));
    aboutButton->SetImage(CommandIcon(cmd::kAbout));
    aboutButton->setToolTip(UiText(cmd::kAbout));

    // The text editor lives hidden from the start to the end of the window.
    textEditor = new CTextEditorDlg(services.messageBoxes, services.fileDialogs, this);
    textEditor->SetRowReader([this](int commandId) { return ImportRows(commandId); });
    textEditor->hide();
}

void CMainDlg::CreateLayout() {
    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    top->addWidget(pathLabel);
    top->addWidget(pathEdit, 3);
    top->addWidget(folderToolbar);
    top->addSpacing(4);
    top->addWidget(maskLabel);
    top->addWidget(maskCombo, 2);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    buttons->addStretch(1);
    buttons->addWidget(renameButton);
    buttons->addWidget(undoButton);
    buttons->addWidget(aboutButton);
    buttons->addSpacing(1);
    const int buttonWidth =
        std::max({renameButton->sizeHint().width(), undoButton->sizeHint().width(),
                  aboutButton->sizeHint().width(), 110});
    for (CFlatButton* button : {renameButton, undoButton, aboutButton}) {
        button->setFixedWidth(buttonWidth);
    }

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(kMargin);
    bottom->addWidget(tabs, 1);
    bottom->addLayout(buttons);

    auto* column = new QVBoxLayout(centralWidget());
    column->setContentsMargins(kMargin, 2, kMargin, kMargin);
    column->setSpacing(kMargin);
    column->addLayout(top);
    column->addWidget(splitter, 1);
    column->addLayout(bottom);
}

void CMainDlg::ConnectSignals() {
    connect(pathEdit, &QLineEdit::returnPressed, this, &CMainDlg::GoToTypedPath);
    connect(maskCombo->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { ApplyMaskText(maskCombo->currentText()); });
    connect(maskCombo, &QComboBox::textActivated, this,
            [this](const QString& text) { ApplyMaskText(text); });
    connect(maskCombo->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!services.settings.filterWhenReturnKeyPressed) {
            ApplyMaskText(text);
        }
    });

    connect(fileList, &CMainFileList::TopRowChanged, this, [this](int top, int page) {
        if (core.IsAutoPreview()) {
            previewList->FollowRows(top, page);
        }
    });
    connect(fileList, &QWidget::customContextMenuRequested, this, [this] { ShowListPopup(); });
    connect(previewList, &QWidget::customContextMenuRequested, this, [this] { ShowListPopup(); });
    connect(previewList, &CPreviewList::RowDoubleClicked, this,
            [this](int) { RecomputePreview(true); });

    for (CRuleBlockPage* page : {static_cast<CRuleBlockPage*>(filenameTab),
                                 static_cast<CRuleBlockPage*>(extensionTab)}) {
        connect(page, &CRuleBlockPage::Applied, this, [this] {
            RecomputePreview(false);
            UpdateToolbarState();
        });
    }
    connect(autonumberTab, &CAutonumberTab::Applied, this, [this] {
        RecomputePreview(false);
        UpdateToolbarState();
    });
    connect(tabs, &QTabWidget::currentChanged, this, &CMainDlg::ShowTabPage);
    connect(tabs->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
        if (index == tabs->currentIndex()) {
            ShowTabPage(index);
        }
    });

    connect(onlySelectedCheck, &QCheckBox::toggled, this, [this](bool checked) {
        services.settings.renameOnlySelectedFiles = checked;
        core.GetOptions().renameOnlySelected = checked;
        RecomputePreview(false);
        UpdateToolbarState();
    });
    connect(renameButton, &QPushButton::clicked, this, [this] { RunCommand(cmd::kRename); });
    connect(undoButton, &QPushButton::clicked, this, [this] { RunCommand(cmd::kUndo); });
    connect(aboutButton, &QPushButton::clicked, this, [this] { RunCommand(cmd::kAbout); });
}

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

void CMainDlg::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!recursiveWhenShown) {
        return;
    }
    recursiveWhenShown = false;
    QTimer::singleShot(0, this, [this] {
        QAction* recursive = actions.value(cmd::kRecursive);
        if (!recursive->isChecked()) {
            recursive->trigger();
        }
    });
}

// ---------------------------------------------------------------------------
// Commands

void CMainDlg::RunCommand(int commandId) {
    // Nothing re-enters the core while it works (a refresh that runs a hook,
    // or any work whose progress lets events through).
    if (IsWorking()) {
        return;
    }
    CFileCatalogue& catalogue = core.GetCatalogue();
    switch (commandId) {
    case cmd::kUp:
        catalogue.GoToParent();
        FocusFileList();
        break;
    case cmd::kBack:
        catalogue.HistoryBack();
        FocusFileList();
        break;
    case cmd::kForward:
        catalogue.HistoryForward();
        FocusFileList();
        break;
    case cmd::kHistory:
        ShowHistoryPopup();
        break;
    case cmd::kSelectFolder:
        BrowseForFolder();
        break;
    case cmd::kSelectDrive:
        ShowDrivePopup();
        break;
    case cmd::kRefresh:
        catalogue.Refresh();
        FocusFileList();
        break;
    case cmd::kShowFolders:
        catalogue.SetShowFolders(actions.value(commandId)->isChecked());
        break;
    case cmd::kShowFiles:
        catalogue.SetShowFiles(actions.value(commandId)->isChecked());
        break;
    case cmd::kFoldersAsFiles:
        catalogue.SetFoldersAsFiles(actions.value(commandId)->isChecked());
        break;
    case cmd::kRecursive:
        catalogue.SetRecursive(actions.value(commandId)->isChecked());
        break;
    case cmd::kPreview:
        if (core.IsAutoPreview() != actions.value(commandId)->isChecked()) {
            core.TogglePreview();
        }
        break;
    case cmd::kMakeRenameScript:
        core.WriteRenameScript(std::string());
        break;
    case cmd::kRename:
        core.RenameFiles();
        break;
    case cmd::kUndo:
        core.UndoRename();
        break;
    case cmd::kMakeUndoScript:
        core.WriteUndoScript(std::string());
        break;
    case cmd::kSavePreview:
        core.SavePreviewListing(std::string());
        break;
    case cmd::kLoadOptions:
        LoadOptionsFile();
        break;
    case cmd::kSaveOptions:
        SaveOptionsFile();
        break;
    case cmd::kDefaultOptions:
        core.RestoreDefaultOptions(services.settingsFilePath);
        break;
    case cmd::kSelectAll:
        SelectAllRows();
        break;
    case cmd::kFocusFileList:
        FocusFileList();
        break;
    case cmd::kFocusMask:
        maskCombo->setFocus();
        maskCombo->lineEdit()->selectAll();
        break;
    case cmd::kNextTab:
        SelectNextTab();
        break;
    case cmd::kMoveRowsUp:
        MoveRows(true);
        break;
    case cmd::kMoveRowsDown:
        MoveRows(false);
        break;
    case cmd::kSettings:
        RunSettingsDialog();
        break;
    case cmd::kHelp:
        OpenManual(this, services.messageBoxes);
        break;
    case cmd::kExtendedFilter:
        RunExtendedFilter();
        break;
    case cmd::kTextEditor:
        ShowTextEditor();
        break;
    case cmd::kColours:
        RunColoursDialog();
        break;
    case cmd::kAbout:
        RunAboutBox();
        break;
    case cmd::kWideTextBox:
        RunWideTextBox();
        break;
    default:
        break;
    }
    UpdateToolbarState();
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

void CMainDlg::closeEvent(QCloseEvent* event) {
    if (IsWorking()) {
        // The work finishes first; its progress dialog closes the way back.
        event->ignore();
        return;
    }
    StoreSettings();
    QMainWindow::closeEvent(event);
}

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

void CMainDlg::RecomputePreview(bool force) {
    core.ComputeNewNames(force);
}

void CMainDlg::FolderReloaded() {
    const std::string folder = core.GetCatalogue().GetFolder();
    setWindowTitle(ToQt(FillText("%s - [%s]", {LookupString(strings::kCaptionProgram), folder})));
    pathEdit->setText(ToQt(folder));
    fileList->UpdateSortIndicator();
    UpdateToolbarState();
}

void CMainDlg::UpdateToolbarState() {
    const CFileCatalogue& catalogue = core.GetCatalogue();
    const int historyCount = catalogue.GetHistoryCount();
    const int historyIndex = catalogue.GetHistoryIndex();
    actions.value(cmd::kHistory)->setEnabled(historyCount > 1);
    actions.value(cmd::kBack)->setEnabled(historyIndex > 0);
    actions.value(cmd::kForward)->setEnabled(historyIndex >= 0 && historyIndex < historyCount - 1);
    const bool canUndo = !core.GetUndoOldPaths().empty();
    actions.value(cmd::kUndo)->setEnabled(canUndo);
    actions.value(cmd::kMakeUndoScript)->setEnabled(canUndo);
    undoButton->setEnabled(canUndo);
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

void CMainDlg::GoToTypedPath() {
    const std::string typed = FromQt(pathEdit->text());
    const std::string expanded = platform::ExpandPath(typed);
    if (!expanded.empty() && platform::IsExistingFolder(expanded) &&
        core.GetCatalogue().SetFolder(expanded, false)) {
        FocusFileList();
        return;
    }
    services.messageBoxes.ShowInformation(
        this, FillText(LookupString(strings::kNotAValidPath), {typed}), std::string(), 64);
}

void CMainDlg::ApplyMaskText(const QString& text) {
    core.GetCatalogue().SetMask(FromQt(text));
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
    menu->setTitle(QStringLiteral("1-Padengeschiedenis"));
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
        {cmd::kMakeRenameScript, QStringLiteral("Maak een hernoem .BAT bestand")},
        {cmd::kSavePreview, actions.value(cmd::kSavePreview)->text()},
        {cmd::kLoadOptions, actions.value(cmd::kLoadOptions)->text()},
        {cmd::kSaveOptions, actions.value(cmd::kSaveOptions)->text()},
        {cmd::kDefaultOptions, actions.value(cmd::kDefaultOptions)->text()},
    };
    std::unique_ptr<QMenu> menu(CIconMenu::Build(items, this));
    menu->setObjectName(QStringLiteral("previewPopup"));
    menu->setTitle(QStringLiteral("3-Voorbeeld"));
    const int chosen = RunPopup(*menu);
    if (chosen != 0) {
        RunCommand(chosen);
    }
}

void CMainDlg::LoadOptionsFile() {
    const QString path = services.fileDialogs.ChooseOpenFile(
        this, UiText(strings::kTitleLoadOptions),
        CFileDialogs::QtFilter(LookupString(strings::kFilterIniFiles)));
    if (path.isEmpty()) {
        return;
    }
    LoadOptionsWithWarning(FromQt(path));
}

void CMainDlg::LoadOptionsWithWarning(const std::string& path) {
    // A file that cannot be read is a warning naming it (the core shows it
    // through this window) and the rules stay as they were.
    int error = 0;
    core.LoadOptions(path, error);
}

void CMainDlg::SaveOptionsFile() {
    const QString path = services.fileDialogs.ChooseSaveFile(
        this, UiText(strings::kTitleSaveOptions),
        CFileDialogs::QtFilter(LookupString(strings::kFilterIniFiles)),
        QStringLiteral("NROptions.ini"));
    if (path.isEmpty()) {
        return;
    }
    int error = 0;
    if (!core.SaveOptions(FromQt(path), error)) {
        services.messageBoxes.ShowWarning(
            this,
            FillText(LookupString(strings::kCannotCreateOptionsFile), {FromQt(path)}) + "\n" +
                FormatSystemError(error),
            std::string(), 48);
    }
}

void CMainDlg::SelectAllRows() {
    if (QApplication::focusWidget() != fileList) {
        return;
    }
    fileList->selectAll();
}

void CMainDlg::MoveRows(bool up) {
    if (QApplication::focusWidget() != fileList) {
        return;
    }
    core.GetCatalogue().MoveSelectedRows(up);
    fileList->UpdateSortIndicator();
}

void CMainDlg::SelectNextTab() {
    tabs->setCurrentIndex((tabs->currentIndex() + 1) % tabs->count());
    ShowTabPage(tabs->currentIndex());
}

void CMainDlg::ShowTabPage(int index) {
    QWidget* page = tabs->widget(index);
    if (page == nullptr) {
        return;
    }
    // The page's first control takes the focus: "Vervang door de tekst" or
    // "Geen wijzigingen".
    const QString first = index == 2 ? QStringLiteral("positionNone") : QStringLiteral("replaceWithOn");
    if (auto* target = page->findChild<QWidget*>(first); target != nullptr) {
        target->setFocus();
    } else {
        page->setFocus();
    }
}

void CMainDlg::ResetSplitter() {
    const int width = splitter->width();
    const int position = std::min(width - (width / 100) * 25, width - kMinPane);
    splitter->SetPosition(position);
}

void CMainDlg::FocusFileList() {
    fileList->setFocus();
}

int CMainDlg::RunPopup(QMenu& menu) {
    return services.popupMenus.Choose(menu, QCursor::pos());
}

int CMainDlg::RunModal(QDialog& dialog) {
    if (modalRunner) {
        return modalRunner(dialog);
    }
    return dialog.exec();
}

// ---------------------------------------------------------------------------
// Events

bool CMainDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == splitter && event->type() == QEvent::Resize && started && !isMinimized()) {
        if (startSplitterPosition != 0 && isVisible()) {
            // The first layout of a shown window takes the stored position.
            const int width = splitter->width();
            splitter->SetPosition(startSplitterPosition == CWindowPlacement::kSplitterAtRightEnd
                                      ? width - kMinPane
                                      : std::min(startSplitterPosition, width - kMinPane));
            startSplitterPosition = 0;
        } else {
            // The splitter goes back to three quarters at every size change.
            ResetSplitter();
        }
    }
    if (watched == fileList && event->type() == QEvent::ShortcutOverride) {
        // Ctrl+A is the window's select-all (one notice), not the view's own.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::SelectAll)) {
            event->accept();
            return false;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// The core's front end

int CMainDlg::ShowMessage(MessageKind kind, const std::string& text, int style) {
    const std::string caption(LookupString(strings::kCaptionProgram));
    const auto boxStyle = static_cast<unsigned>(style);
    switch (kind) {
    case MessageKind::Warning:
        return services.messageBoxes.ShowWarning(this, text, caption, boxStyle);
    case MessageKind::Question:
        return services.messageBoxes.AskQuestion(this, text, caption, boxStyle);
    case MessageKind::Information:
        return services.messageBoxes.ShowInformation(this, text, caption, boxStyle);
    case MessageKind::Error:
        return services.messageBoxes.ShowError(this, text, caption, boxStyle);
    }
    return msgbox::kOk;
}

void CMainDlg::ShowErrorList(const std::vector<CRenameFailure>& failures) {
    CRenameErrorsDlg dialog(failures, this);
    RunModal(dialog);
}

std::string CMainDlg::ChooseSaveFile(SaveFileKind kind) {
    // Scripts: the shell form first; a name ending in .bat gets the Windows
    // form.
    const QString scripts = QStringLiteral("Shell-scripts (*.sh);;") +
                            CFileDialogs::QtFilter(LookupString(strings::kFilterBatchFiles));
    QString path;
    switch (kind) {
    case SaveFileKind::RenameScript:
        path = services.fileDialogs.ChooseSaveFile(this, UiText(cmd::kMakeRenameScript), scripts,
                                                   QStringLiteral("renbatch.sh"));
        break;
    case SaveFileKind::UndoScript:
        path = services.fileDialogs.ChooseSaveFile(this, UiText(cmd::kMakeUndoScript), scripts,
                                                   QStringLiteral("undo.sh"));
        break;
    case SaveFileKind::PreviewListing:
        path = services.fileDialogs.ChooseSaveFile(
            this, UiText(strings::kTitleSavePreview), CFileDialogs::QtFilter(LookupString(strings::kFilterTextFiles)),
            QStringLiteral("preview.txt"));
        break;
    }
    return FromQt(path);
}

void CMainDlg::OnRowsAboutToChange() {
    ++rowsDepth;
    fileModel->BeginRowsChange();
}

void CMainDlg::OnRowsChanged() {
    fileModel->EndRowsChange();
    if (--rowsDepth == 0 && started) {
        FolderReloaded();
    }
}

void CMainDlg::OnSelectionChanged(int /*row*/) {
    // A selection the core made (after a rename by hand, say) reaches the
    // view; one the view made is already there.
    fileList->SyncSelectionFromCatalogue();
    if (!core.GetOptions().renameOnlySelected && core.IsAutoPreview()) {
        previewList->MirrorSelection(core.GetCatalogue());
    }
    UpdateToolbarState();
}

void CMainDlg::OnPreviewAboutToChange() {
    previewModel->BeginPreviewChange();
}

void CMainDlg::OnPreviewChanged() {
    previewModel->EndPreviewChange();
}

bool CMainDlg::IsWorking() const {
    return core.GetCatalogue().IsBusy() || workProgress->IsRunning();
}

void CMainDlg::OpenProgress(const std::string& text, bool cancelAllowed, int range,
                            int position) {
    workProgress->OpenBar(ToQt(text), cancelAllowed, range, position);
    workProgress->Poll();
}

void CMainDlg::SetProgress(int position) {
    workProgress->SetBarPosition(position);
    workProgress->Poll();
}

bool CMainDlg::IsProgressCancelled() {
    workProgress->Poll();
    return workProgress->IsBarCancelled();
}

void CMainDlg::CloseProgress() {
    workProgress->CloseBar();
}

void CMainDlg::OnRefreshStarted() {
    // A recursive listing shows its progress from the start.
    if (started && core.GetCatalogue().GetRecursive()) {
        workProgress->OpenText();
        workProgress->Poll();
    }
}

void CMainDlg::OnPatternStarted(const std::string& pattern) {
    // Ignored by the dialog once the listing is cancelled.
    if (workProgress->IsTextOpen()) {
        workProgress->GetTextDialog()->SetPatternText(ToQt(pattern));
    }
}

void CMainDlg::OnFolderEntered(const std::string& folder, bool& cancelled) {
    if (!workProgress->IsTextOpen()) {
        return;
    }
    // NR_LISTING_DELAY_MS=n makes every folder of a recursive listing take n
    // ms more (at most a second), as on a slow network share: the black-box
    // tests cancel a listing through the accessibility bus, which a local
    // listing outruns.
    static const int delay =
        std::clamp(qEnvironmentVariableIntValue("NR_LISTING_DELAY_MS"), 0, 1000);
    if (delay > 0) {
        QThread::msleep(static_cast<unsigned long>(delay));
    }
    workProgress->Poll();
    cancelled = workProgress->IsTextCancelled();
    if (!cancelled) {
        workProgress->ShowText(ToQt(folder));
    }
}

void CMainDlg::OnRefreshEnded(bool cancelled) {
    workProgress->CloseText();
    if (cancelled && core.GetCatalogue().GetRecursive()) {
        // A cancelled recursive listing leaves recursive mode.
        QAction* recursive = actions.value(cmd::kRecursive);
        QSignalBlocker block(recursive);
        recursive->setChecked(false);
        core.GetCatalogue().SetRecursive(false);
    }
}

void CMainDlg::OnOptionsChanged() {
    filenameTab->ShowValues();
    filenameTab->RefreshEnabling();
    extensionTab->ShowValues();
    extensionTab->RefreshEnabling();
    autonumberTab->ShowValues();
    RecomputePreview(false);
    UpdateToolbarState();
}

void CMainDlg::OnUndoStateChanged() {
    UpdateToolbarState();
}

bool CMainDlg::GetEditorLine(int index, std::string& line) {
    return textEditor != nullptr && textEditor->GetLine(index, line);
}
