// The application base class that sees every event of the program first.
#include "keyboard/CTranslatingApp.h"

#include "app/PreTranslate.h"

CTranslatingApp::CTranslatingApp(int& argc, char** argv) : QApplication(argc, argv) {}

bool CTranslatingApp::notify(QObject* receiver, QEvent* event) {
    if (WalkPreTranslateTree(receiver, event))
        return true;
    return QApplication::notify(receiver, event);
}
