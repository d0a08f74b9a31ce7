#pragma once

#include "platform/ProgramPaths.h"
#include "settings/SettingsRecord.h"

#include <QString>

class Database;
class TimeSource;
class MessageBoxes;
class SoundPlayer;

// The program-wide values: owned by the shell, handed to every window that needs them.
struct ProgramState {
    ProgramState(ProgramPaths paths, Database& database, const TimeSource& time, MessageBoxes& messages,
                 SoundPlayer& sounds)
        : paths(std::move(paths))
        , database(database)
        , time(time)
        , messages(messages)
        , sounds(sounds)
    {
    }

    ProgramPaths paths;
    Database& database;
    const TimeSource& time;
    MessageBoxes& messages;
    SoundPlayer& sounds;

    SettingsRecord settings;
    QString dateOrder = QStringLiteral("MM-DD-YYYY");
    // An employee database is in use (either source); with useLocalStaff it is the staff files.
    bool useSchedulingLink = false;
    bool useLocalStaff = false;
    QString callMode;
    bool passwordPromptShown = false;
};
