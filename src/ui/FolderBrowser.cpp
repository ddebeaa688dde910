#include "ui/FolderBrowser.h"

#include "resources/StringTable.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"

bool CFolderBrowser::Run() {
    path = dialogs.ChooseFolder(owner, UiText(strings::kTitleSelectFolder), initialFolder);
    return !path.isEmpty();
}
