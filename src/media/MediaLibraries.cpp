// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/MediaLibraries.h"

#include "platform/FileSystem.h"

#include <dlfcn.h>

#include <mutex>

namespace {

struct CLoadedModule {
    const CMediaLibraries* libraries = nullptr;
    std::string problem;
};

// Where the module lies: beside the executable in a build (the tests' one
// folder below it), in the library folder of an installation.
std::vector<std::string> ModuleCandidates(const std::string& executable) {
    const std::string folder = executable.substr(0, executable.rfind('/') + 1);
    return {folder + NR_MEDIA_MODULE_NAME, folder + "../" NR_MEDIA_MODULE_NAME,
            folder + NR_MEDIA_MODULE_FROM_BINDIR};
}

CLoadedModule LoadModule() {
    CLoadedModule loaded;
    const auto note = [&loaded](const std::string& problem) {
        loaded.problem.append(loaded.problem.empty() ? "" : "; ").append(problem);
    };
    for (const std::string& path : ModuleCandidates(platform::GetExecutablePath())) {
        if (!platform::PathExists(path)) {
            continue;
        }
        // Never closed: the readers' libraries stay until the process ends.
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            note(dlerror());
            continue;
        }
        using EntryFunction = const CMediaLibraries* (*)();
        const auto entry = reinterpret_cast<EntryFunction>(dlsym(module, kMediaLibrariesEntry));
        if (entry == nullptr || entry() == nullptr) {
            note(path + ": no readers");
            continue;
        }
        loaded.libraries = entry();
        loaded.problem.clear();
        return loaded;
    }
    if (loaded.problem.empty()) {
        loaded.problem = std::string(NR_MEDIA_MODULE_NAME) + ": missing";
    }
    return loaded;
}

CLoadedModule& Module() {
    static std::once_flag once;
    static CLoadedModule module;
    std::call_once(once, [] { module = LoadModule(); });
    return module;
}

} // namespace

const CMediaLibraries* MediaLibraries() {
    return Module().libraries;
}

std::string MediaLibrariesProblem() {
    return Module().problem;
}
