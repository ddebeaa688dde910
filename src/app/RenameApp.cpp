// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RenameApp.h"

#include "app/BatchRun.h"
#include "app/ProgramSettings.h"
#include "app/Services.h"
#include "catalogue/DefaultColumns.h"
#include "catalogue/FileCatalogue.h"
#include "engine/RenameCore.h"
#include "engine/TagExpander.h"
#include "platform/Console.h"
#include "platform/FileSystem.h"
#include "resources/StringTable.h"

#include <cstdio>
#include <malloc.h>
#include <memory>

namespace {

std::string ReplaceExtension(const std::string& path, const std::string& extension) {
    const auto slash = path.rfind('/');
    const auto dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + "." + extension;
}

} // namespace

CRenameApp::CRenameApp(std::string executable, std::vector<std::string> args)
    : executablePath(std::move(executable)), arguments(std::move(args)) {
    SeedTagRandom(static_cast<uint32_t>(platform::GetCurrentFileTime() / 10000));
    settingsFilePath = FindSettingsFilePath(executablePath);
    helpFilePath = ReplaceExtension(executablePath, "chm");
    const std::string tail = CCommandLineKeywords::JoinArguments(arguments);
    keywords.Parse(tail);
}

std::string CRenameApp::FindSettingsFilePath(const std::string& executable) {
    if (!executable.empty()) {
        const std::string beside = ReplaceExtension(executable, "ini");
        if (platform::PathExists(beside)) {
            return beside;
        }
    }
    std::string base = platform::GetEnvironment("XDG_CONFIG_HOME");
    if (base.empty() || base[0] != '/') {
        base = platform::ExpandPath("~/.config");
    }
    return base + "/NorvikRename/norvikrename.ini";
}

std::string CRenameApp::FindUndoJournalPath() {
    std::string base = platform::GetEnvironment("XDG_STATE_HOME");
    if (base.empty() || base[0] != '/') {
        base = platform::ExpandPath("~/.local/state");
    }
    return base + "/NorvikRename/undo.sh";
}

int CRenameApp::Run() {
    return RunBatch();
}

namespace {

/// The batch run's console: lines go to standard output, buffered; the
/// wait for a key and the end of the run flush them.
class CConsoleFrontEnd : public CRenameFrontEnd {
public:
    bool OpenConsole() override { return ::OpenConsole(); }
    // Each line is complete at once; a pipe or a file gets the lines at
    // least every 100 ms.
    void WriteConsoleLine(const std::string& text) override { ::WriteConsoleLine(text); }
    void WaitForKey(const std::string& prompt) override { ::WaitForKey(prompt); }
    void ReleaseConsole() override { platform::FlushStandardOutput(); }
    std::string MakeTempFileName() override { return ::MakeTempFileName(); }
};

bool IsCurrentFolderWord(const std::string& path) {
    return path == "." || path == ".." || path == "./" || path == ".\\";
}

} // namespace

int CRenameApp::RunBatch() {
    // The large arrays of a batch run (entries, rows, names, moves) each get
    // their own mapping, which goes back to the system when it is freed,
    // instead of a heap that keeps freed space and grows past it.
    (void)mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    CProgramSettings settings;
    settings.SetDefaults(0, 0);
    settings.Load(settingsFilePath);

    CConsoleFrontEnd console;
    auto batchCore = std::make_unique<CRenameCore>(&console);
    CRenameCore& core = *batchCore;
    CFileCatalogue& catalogue = core.GetCatalogue();
    AddDefaultColumns(catalogue);
    catalogue.SetSortNamesAsNumbers(settings.sortColumnNameAsNumber);
    // Swaps and chains only when the user has stored the setting on: a
    // batch run otherwise moves as it always has.
    core.GetSwitches() = settings.CoreSwitches();
    core.GetOptions().renameOnlySelected = settings.renameOnlySelectedFiles;

    core.SetBatchMode(true);
    // The keywords, applied while the catalogue does not rescan.
    const std::string nrFile = keywords.GetNrFile();
    if (settings.reloadUserOptionsOnStart && nrFile.empty()) {
        core.LoadRememberedOptions(settingsFilePath);
    }
    const std::string path = platform::ExpandPath(keywords.GetPath());
    bool folderOk = !path.empty() && platform::IsExistingFolder(path);
    if (!path.empty() && !IsCurrentFolderWord(path)) {
        folderOk = catalogue.SetFolder(path, true);
    } else if (path.empty() && settings.rememberLastPath) {
        catalogue.SetFolder(settings.lastPath, true);
    } else {
        catalogue.SetFolder(std::string(), true);
    }
    if (const std::string filter = keywords.GetFilter(); !filter.empty()) {
        catalogue.SetMask(filter);
    }
    // An options file that cannot be read is reported by the batch run,
    // which then renames nothing: no scan is needed.
    int optionsError = 0;
    const bool optionsOk =
        nrFile.empty() || core.LoadOptions(platform::ExpandPath(nrFile), optionsError);
    if (keywords.GetRecursive()) {
        catalogue.SetRecursive(true);
    }
    if (folderOk && optionsOk) {
        // Scans the folder; the end of the scan computes every new name.
        catalogue.SetAutoRefresh(true);
    }
    const std::string undoFile = keywords.GetUndoFile();
    // Only the undo script reads the undo lists (when it cannot be written
    // as the files move, it is written from them at the end): without
    // UNDOFILE the moves are not kept.
    core.SetUndoListsKept(!undoFile.empty());
    const int status = CBatchRun(core).Run(
        path, undoFile.empty() ? undoFile : platform::ExpandPath(undoFile), keywords.GetPause());

    // A batch run changes no setting, so the settings file is not written:
    // writing it back would drop what a run does not read (LastPath with
    // RememberLastPath off, the Position values with RememberPosAndSize off)
    // and rewrite a hand-made file in another form.
    platform::FlushStandardOutput();
#if !defined(__SANITIZE_ADDRESS__)
    // The process ends with this run: the system takes back its entries,
    // names and undo lists at once, which is faster than freeing them one
    // by one. (Under the leak checker they are freed as usual.)
    (void)batchCore.release();
#endif
    return status;
}
