#include "TestFolder.h"

#include "store/ClockFiles.h"

#include <stdexcept>

TestFolder::TestFolder()
{
    const ProgramPaths folder = paths();
    QString error;
    if (!ClockFiles::ensureClockDatabase(folder, &error))
        throw std::runtime_error(error.toStdString());
    if (!m_database.open(folder.clockDatabase()).ok())
        throw std::runtime_error("cannot open the test clock database");
}
