// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CRenameApp;

/// The interactive run: the application, its Dutch standard dialogs and the
/// main window, until the window closes. Without a display it says so on
/// one line and returns 1 instead of letting Qt abort.
int RunInteractive(CRenameApp& app, int& argc, char** argv);
