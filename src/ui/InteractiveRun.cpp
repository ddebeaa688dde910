// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InteractiveRun.h"

#include "app/InterfaceLanguage.h"
#include "app/ProgramSettings.h"
#include "app/RenameApp.h"
#include "app/ShellVerb.h"
#include "platform/FileSystem.h"
#include "ui/CommandIcons.h"
#include "ui/InterfaceTranslation.h"
#include "ui/MainDlg.h"
#include "ui/QtFileDialogs.h"
#include "ui/QtMessageBoxes.h"
#include "ui/QtPopupMenus.h"

#include <QApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

namespace {

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

} // namespace

int RunInteractive(CRenameApp& app, int& argc, char** argv) {
    if (!HasDisplay()) {
        std::fputs("no display: set DISPLAY, or use RENAME=1 for batch mode\n", stdout);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("NorvikRename"));
    QApplication::setDesktopFileName(QStringLiteral("org.norvikrename.NorvikRename"));
    QApplication::setWindowIcon(ProgramIcon());

    // The folder verb follows the program when it has been moved.
    const CShellVerb shellVerb(platform::GetExecutablePath());
    shellVerb.RefreshIfPresent();

    CProgramSettings settings;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen != nullptr ? screen->availableGeometry().size() : QSize();
    settings.SetDefaults(desktop.width(), desktop.height());
    settings.Load(app.GetSettingsFilePath());

    // The window's language is fixed for the run, before the first window.
    const CInterfaceTranslation translation(ChooseInterfaceLanguage(
        settings.language, ReadLocaleEnvironment(), AvailableTranslations()));

    CQtMessageBoxes messageBoxes;
    CQtFileDialogs fileDialogs;
    CQtPopupMenus popupMenus;
    CMainDlg window(CMainDlgServices{settings, app.GetKeywords(), messageBoxes, fileDialogs,
                                     popupMenus, app.GetSettingsFilePath(),
                                     CRenameApp::FindUndoJournalPath()});
    window.SetShellVerb([&shellVerb] { return shellVerb.IsPresent(); },
                        [&shellVerb](bool on) { shellVerb.Install(on); });
    window.show();
    const int status = QApplication::exec();
    // The window stored what it keeps when it closed; the settings file is
    // written once, after it.
    int error = 0;
    settings.Save(app.GetSettingsFilePath(), error);
    return status;
}
