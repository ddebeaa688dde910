// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FolderBrowser.h"

#include "resources/StringTable.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"

bool CFolderBrowser::Run() {
    path = dialogs.ChooseFolder(owner, UiText(strings::kTitleSelectFolder), initialFolder);
    return !path.isEmpty();
}
