#pragma once

#include "platform/ProgramPaths.h"
#include "store/Database.h"

#include <QTemporaryDir>
#include <string>

// Where a test's clock database lives: the embedded file in the program folder, or a fresh
// database of its own on the test program's PostgreSQL server.
enum class Backend { File, Server };

// A fresh program folder with a clock database, opened: made from the template in the folder, or
// laid out on a new server database. An empty folder has neither, for tests of what makes them.
class TestFolder {
public:
    struct Empty {};

    explicit TestFolder(Backend backend = Backend::File);
    explicit TestFolder(Empty) {}
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
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
