// The help window: the built-in help pages, opened at a topic.
#include "app/HelpWindow.h"

#include "app/Profile.h"
#include "res/Pictures.h"

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

// The help pages are compiled into the window library, a static library:
// their registration must be asked for.
static void RegisterHelpPages() { Q_INIT_RESOURCE(help); }

namespace {

QPointer<QTextBrowser> g_helpWindow;
int g_helpContext = 0;

} // namespace

void CHelpWindow::Open(int context, const std::string& languageSection) {
    if (!g_helpWindow) {
        RegisterHelpPages();
        g_helpWindow = new QTextBrowser;
        g_helpWindow->setAttribute(Qt::WA_DeleteOnClose);
        g_helpWindow->setObjectName("help");
        g_helpWindow->setWindowIcon(ProgramIcon());
        g_helpWindow->resize(560, 480);
    }
    const char* page = languageSection == kRussianSection ? "qrc:/help/help-ru.html" : "qrc:/help/help-de.html";
    QUrl url(page);
    url.setFragment(QString("topic%1").arg(context));
    g_helpWindow->setSource(url);
    g_helpWindow->setWindowTitle(g_helpWindow->documentTitle());
    g_helpContext = context;
    g_helpWindow->show();
    g_helpWindow->raise();
}

void CHelpWindow::Quit() {
    delete g_helpWindow.data();
    g_helpContext = 0;
}

QTextBrowser* CHelpWindow::Window() { return g_helpWindow.data(); }

int CHelpWindow::CurrentContext() { return g_helpWindow ? g_helpContext : 0; }
