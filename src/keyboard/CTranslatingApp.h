// The application base class that sees every event of the program first.
#pragma once

#include <QApplication>

// Every event of the user-interface thread passes notify() before it reaches
// its receiver: the keyboard translation and its mode messages act here, and
// the windows' pre-translation walks from the receiver up.
class CTranslatingApp : public QApplication {
    Q_OBJECT
public:
    CTranslatingApp(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
