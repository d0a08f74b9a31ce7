#include "TestFolder.h"

#include "PostgresServer.h"
#include "store/ClockFiles.h"
#include "store/DatabaseLocation.h"

#include <stdexcept>

TestFolder::TestFolder(Backend backend)
{
    const ProgramPaths folder = paths();
    QString error;
    if (backend == Backend::Server) {
        m_url = PostgresServer::shared().createDatabase();
        const auto location = DatabaseLocation::parse(m_url);
        if (m_url.isEmpty() || !location)
            throw std::runtime_error("cannot create a server database: " +
                                     PostgresServer::shared().error().toStdString());
        const Database::OpenResult opened = m_database.openServer(*location);
        if (!opened.ok())
            throw std::runtime_error("cannot open the server database: " + opened.errorText.toStdString());
        return;
    }
    if (!ClockFiles::ensureClockDatabase(folder, &error))
        throw std::runtime_error(error.toStdString());
    if (!m_database.open(folder.clockDatabase()).ok())
        throw std::runtime_error("cannot open the test clock database");
}

std::string backendName(Backend backend)
{
    return backend == Backend::Server ? "Server" : "File";
}
