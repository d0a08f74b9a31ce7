#pragma once

#include "platform/SoundPlayer.h"
#include "settings/ProgramState.h"
#include "store/Database.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeTimeSource.h"

#include <QTemporaryDir>

// A program folder of its own with the program-wide values around it; nothing opened yet.
struct ShellFixture {
    QTemporaryDir dir;
    FakeTimeSource time{QDateTime(QDate(2026, 12, 4), QTime(8, 0))};
    FakeMessageBoxes messages;
    SilentSoundPlayer sounds;
    Database database;
    NoCamera camera;
    ProgramState state{ProgramPaths(dir.path()), database, time, messages, sounds, camera};
};
