#include "platform/ProgramExit.h"

#include <QCoreApplication>

void QtProgramExit::endProgram()
{
    QCoreApplication::exit(0);
}
