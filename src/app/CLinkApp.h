// The application: one copy only, the fonts, the main window, the keyboard
// commands and help.
#pragma once

#include "keyboard/CTranslatingApp.h"

class CLinkApp : public CTranslatingApp {
    Q_OBJECT
public:
    CLinkApp(int& argc, char** argv);

    // Runs the whole program; the process's exit status.
    int InitInstance();

    // Opens help at the topic of the page shown.
    void OnHelp();

    // A command of the keyboard command table; runs only while the main
    // window allows it.
    void OnCommand(int command);

    // The application object when it is a CLinkApp, else nullptr.
    static CLinkApp* Instance();
};

// Help topics by tab: Exchange, Data, Settings.
int HelpContextOfTab(int tab);
