// The help window: the built-in help pages, opened at a topic.
#pragma once

#include <string>

class QTextBrowser;

class CHelpWindow {
public:
    // Shows the help of the interface language ("russian" gives the Russian
    // pages, anything else the German ones) at the topic of the context number.
    static void Open(int context, const std::string& languageSection);

    // Closes the help window if it is open.
    static void Quit();

    // The window, while it exists, and the topic it was last opened at.
    static QTextBrowser* Window();
    static int CurrentContext();
};
