#include "app/RenameApp.h"
#include "platform/FileSystem.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string executable = platform::GetExecutablePath();
    if (executable.empty() && argc > 0) {
        executable = argv[0];
    }
    CRenameApp app(std::move(executable), std::move(arguments));
    return app.Run();
}
