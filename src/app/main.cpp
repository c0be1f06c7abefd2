// KL840T Link: the desktop side of the link with the KL840T handheld.
#include "app/CLinkApp.h"
#include "app/ProgramOptions.h"
#include "app/ProgramPaths.h"
#include "app/ProgramVersion.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    // Answered before the application object exists: no display is needed.
    switch (ReadStartRequest(std::vector<std::string>(argv + std::min(argc, 1), argv + argc))) {
    case StartRequest::kHelp:
        std::cout << WindowProgramHelp();
        return 0;
    case StartRequest::kVersion:
        std::cout << "kl840t-link " << kVersionLine << '\n';
        return 0;
    case StartRequest::kRun:
        break;
    }
    if (argc > 0)
        SetProgramName(std::filesystem::path(argv[0]).stem().string());
    CLinkApp app(argc, argv);
    return app.InitInstance();
}
