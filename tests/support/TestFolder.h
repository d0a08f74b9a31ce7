#pragma once

#include "platform/ProgramPaths.h"
#include "store/Database.h"

#include <QTemporaryDir>
#include <string>

// Where a test's clock database lives: the embedded file in the program folder, or a fresh
// database of its own on the test program's PostgreSQL server.
enum class Backend { File, Server };

// A fresh program folder with a clock database, opened: made from the template in the folder, or
// laid out on a new server database.
class TestFolder {
public:
    explicit TestFolder(Backend backend = Backend::File);
    QString path() const { return m_dir.path(); }
    ProgramPaths paths() const { return ProgramPaths(m_dir.path()); }
    Database& database() { return m_database; }
    // The server database's URL; empty on the file.
    const QString& url() const { return m_url; }

private:
    QTemporaryDir m_dir;
    QString m_url;
    Database m_database;
};

std::string backendName(Backend backend);
