// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RenameApp.h"
#include "platform/FileSystem.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Where the window module lies: beside the executable in a build, in the
// library folder of an installation.
std::vector<std::string> WindowModuleCandidates(const std::string& executable) {
    const std::string folder = executable.substr(0, executable.rfind('/') + 1);
    return {folder + NR_WINDOW_MODULE_NAME, folder + NR_WINDOW_MODULE_FROM_BINDIR};
}

int RunWindowModule(CRenameApp& app, int& argc, char** argv, const std::string& executable) {
    std::string problems;
    const auto note = [&problems](const std::string& problem) {
        problems.append(problems.empty() ? "" : "; ").append(problem);
    };
    for (const std::string& path : WindowModuleCandidates(executable)) {
        if (!platform::PathExists(path)) {
            note(path + ": missing");
            continue;
        }
        // Never closed: the window's libraries stay until the process ends.
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            note(dlerror());
            continue;
        }
        using RunFunction = int (*)(CRenameApp&, int&, char**);
        const auto run = reinterpret_cast<RunFunction>(dlsym(module, "NrRunInteractive"));
        if (run == nullptr) {
            note(path + ": no window");
            continue;
        }
        return run(app, argc, argv);
    }
    std::fprintf(stderr, "the window module cannot be loaded (%s); RENAME=1 runs without it\n",
                 problems.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string executable = platform::GetExecutablePath();
    if (executable.empty() && argc > 0) {
        executable = argv[0];
    }
    CRenameApp app(executable, std::move(arguments));
    // A batch run never creates a window or needs a display, and never loads
    // the window's libraries.
    if (app.IsBatchMode()) {
        return app.Run();
    }
    return RunWindowModule(app, argc, argv, executable);
}
