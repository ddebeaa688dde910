// SPDX-License-Identifier: GPL-3.0-or-later
// Building the window: the commands as actions, the widgets, their layout
// and their connections, and the splitter that keeps its share as the
// window changes size.

#include "ui/MainDlg.h"

#include "app/ProgramSettings.h"
#include "engine/IniFile.h"
#include "resources/StringTable.h"
#include "ui/AutonumberTab.h"
#include "ui/CommandIcons.h"
#include "ui/ComputationSlicer.h"
#include "ui/ExtensionTab.h"
#include "ui/FilenameTab.h"
#include "ui/FlatButton.h"
#include "ui/MainCommands.h"
#include "ui/MainFileList.h"
#include "ui/ManualRenameDlg.h"
#include "ui/PreviewModel.h"
#include "ui/PaneSplitter.h"
#include "ui/PreviewList.h"
#include "ui/QtText.h"
#include "ui/TagMenu.h"
#include "ui/TextEditorDlg.h"
#include "ui/WindowPlacement.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMinPane = 120;
constexpr int kMargin = 6;
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

} // namespace

void CMainDlg::CreateActions() {
    for (const CMainCommand& command : MainCommands()) {
        auto* action = new QAction(this);
        const QString tooltip = UiText(command.id);
        const QString text = command.menuText != nullptr ? Window::tr(command.menuText)
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
    mainToolbar->setAccessibleName(Window::tr("Werkbalk"));
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

    pathLabel = new QLabel(Window::tr("&Pad"), central);
    pathEdit = new QLineEdit(central);
    pathEdit->setObjectName(QStringLiteral("pathEdit"));
    pathEdit->setAccessibleName(Window::tr("Pad"));
    pathLabel->setBuddy(pathEdit);

    folderToolbar = new QToolBar(central);
    folderToolbar->setObjectName(QStringLiteral("folderToolbar"));
    folderToolbar->setAccessibleName(Window::tr("Map"));
    folderToolbar->setIconSize(QSize(16, 16));
    folderToolbar->addAction(actions.value(cmd::kSelectFolder));

    maskLabel = new QLabel(Window::tr("&Masker"), central);
    maskCombo = new QComboBox(central);
    maskCombo->setObjectName(QStringLiteral("maskCombo"));
    maskCombo->setAccessibleName(Window::tr("Masker"));
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
    maskCombo->lineEdit()->setAccessibleName(Window::tr("Masker"));
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
    slicer = new CComputationSlicer(core, [this] { return MayComputeSlice(); }, this);
    previewModel->SetPendingRowHandler([this](int row) { slicer->RequestRow(row); });
    connect(slicer, &CComputationSlicer::RowsComputed, previewModel,
            &CPreviewModel::RowsComputed);
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
    tabs->setAccessibleName(Window::tr("Regels"));
    CRenameOptions& options = core.GetOptions();
    filenameTab = new CFilenameTab(options.name, core, tabs);
    extensionTab = new CExtensionTab(options.extension, core, tabs);
    autonumberTab = new CAutonumberTab(options.autonumber, tabs);
    tabs->addTab(filenameTab, RuleTabIcon(0), UiText(strings::kTabFilename));
    tabs->addTab(extensionTab, RuleTabIcon(1), UiText(strings::kTabExtension));
    tabs->addTab(autonumberTab, RuleTabIcon(2), UiText(strings::kTabAutonumber));

    onlySelectedCheck =
        new QCheckBox(Window::tr("Hernoem &alleen de geselecteerde bestanden"), central);
    onlySelectedCheck->setObjectName(QStringLiteral("onlySelectedCheck"));
    tabs->setCornerWidget(onlySelectedCheck, Qt::TopRightCorner);

    renameButton = new CFlatButton(Window::tr("&Hernoemen"), central);
    renameButton->setObjectName(QStringLiteral("renameButton"));
    renameButton->SetImage(CommandIcon(cmd::kRename));
    renameButton->setToolTip(UiText(cmd::kRename));
    undoButton = new CFlatButton(Window::tr("He&rstellen"), central);
    undoButton->setObjectName(QStringLiteral("undoButton"));
    undoButton->SetImage(CommandIcon(cmd::kUndo));
    undoButton->setToolTip(UiText(cmd::kUndo));
    aboutButton = new CFlatButton(Window::tr("&Over"), central);
    aboutButton->setObjectName(QStringLiteral("aboutButton"));
    aboutButton->SetImage(CommandIcon(cmd::kAbout));
    aboutButton->setToolTip(UiText(cmd::kAbout));

    // The text editor lives hidden from the start to the end of the window.
    textEditor = new CTextEditorDlg(services.messageBoxes, services.fileDialogs, this);
    textEditor->SetRowReader([this](int commandId) { return ImportRows(commandId); });
    textEditor->hide();
    // The T tag reads the editor: a computation under way starts over, so
    // that every row reads one text.
    connect(textEditor->GetEdit()->document(), &QTextDocument::contentsChanged, this, [this] {
        if (core.IsComputingNewNames()) {
            RecomputePreview(true);
        }
    });
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
        if (core.IsComputingNewNames() && MayComputeSlice()) {
            // The rows that come into view get their names before they paint.
            core.EnsureRowsComputed(top, top + page);
            previewModel->RowsComputed(top, top + page);
        }
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

void CMainDlg::ResetSplitter() {
    const int width = splitter->width();
    const int position = std::min(width - (width / 100) * 25, width - kMinPane);
    splitter->SetPosition(position);
}

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
