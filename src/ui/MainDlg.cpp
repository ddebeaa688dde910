// SPDX-License-Identifier: GPL-3.0-or-later
// The window's life: made from its parts, shown, closed and taken down
// before its core. The other CMainDlg files: MainDlgLayout.cpp (building the
// window), MainDlgSettings.cpp, MainDlgCommands.cpp, MainDlgDialogs.cpp and
// MainDlgFrontEnd.cpp.

#include "ui/MainDlg.h"

#include "app/MimeTypeNames.h"
#include "catalogue/DefaultColumns.h"
#include "resources/StringTable.h"
#include "ui/CommandIcons.h"
#include "ui/MainCommands.h"
#include "ui/QtText.h"
#include "ui/WorkProgress.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QShowEvent>
#include <QTimer>

namespace {

constexpr int kMinWidth = 740;
constexpr int kMinHeight = 420;

/// From this many rows on the window computes new names piecewise: the rows
/// it shows at once, the others between events.
constexpr int kPiecewiseRows = 131072;

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

    core.SetPiecewiseRows(kPiecewiseRows);
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

void CMainDlg::closeEvent(QCloseEvent* event) {
    if (IsWorking()) {
        // The work finishes first; its progress dialog closes the way back.
        event->ignore();
        return;
    }
    StoreSettings();
    QMainWindow::closeEvent(event);
}

bool CMainDlg::IsWorking() const {
    return core.GetCatalogue().IsBusy() || workProgress->IsRunning();
}

bool CMainDlg::MayComputeSlice() const {
    return !IsWorking() && modalDepth == 0 && QApplication::activeModalWidget() == nullptr &&
           QApplication::activePopupWidget() == nullptr;
}
