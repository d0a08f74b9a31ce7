#pragma once

#include "support/TestProgram.h"

// An empty program folder of its own with the services and session around it; nothing opened yet.
struct ShellFixture : TestProgram {
    ShellFixture()
        : TestProgram(QDateTime(QDate(2026, 12, 4), QTime(8, 0)), TestFolder::Empty{})
    {}
    Database& database = folder.database();
};
