// arborix: the desktop workbench.

#include <QApplication>

#include "shell/LattixApp.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    CLattixApp app;
    if (!app.InitInstance(QApplication::arguments())) return 1;
    return QApplication::exec();
}
