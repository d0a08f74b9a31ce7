#include "shell/Application.h"

#include <QApplication>

int Application::run(int argc, char** argv)
{
    QApplication app(argc, argv);
    return 0;
}
