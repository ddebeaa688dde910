#include "app/RenameApp.h"
#include "platform/FileSystem.h"
#include "ui/InteractiveRun.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string executable = platform::GetExecutablePath();
    if (executable.empty() && argc > 0) {
        executable = argv[0];
    }
    CRenameApp app(std::move(executable), std::move(arguments));
    // A batch run never creates a window or needs a display.
    if (app.IsBatchMode()) {
        return app.Run();
    }
    return RunInteractive(app, argc, argv);
}
