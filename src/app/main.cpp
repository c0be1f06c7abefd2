// KL840T Link: the desktop side of the link with the KL840T handheld.
#include "app/CLinkApp.h"
#include "app/ProgramPaths.h"

#include <filesystem>

int main(int argc, char** argv) {
    if (argc > 0)
        SetProgramName(std::filesystem::path(argv[0]).stem().string());
    CLinkApp app(argc, argv);
    return app.InitInstance();
}
