#pragma once

#include "platform/ProgramPaths.h"
#include "store/Database.h"

#include <QTemporaryDir>

// A fresh program folder with a clock database made from the template, opened.
class TestFolder {
public:
    TestFolder();
    QString path() const { return m_dir.path(); }
    ProgramPaths paths() const { return ProgramPaths(m_dir.path()); }
    Database& database() { return m_database; }

private:
    QTemporaryDir m_dir;
    Database m_database;
};
