#include "shell/startup.h"

#include <QApplication>
#include <QMainWindow>

namespace pluvexa {

int executaPluvexa(int& argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pluvexa"));
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Pluvexa"));
    w.show();
    return app.exec();
}

}  // namespace pluvexa
