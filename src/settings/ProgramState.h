#pragma once

#include "platform/Camera.h"
#include "platform/ProgramPaths.h"
#include "settings/SettingsRecord.h"
#include "store/DatabaseLocation.h"
#include "store/StaffFiles.h"

#include <QString>

class Database;
class TimeSource;
class MessageBoxes;
class SoundPlayer;

// The program-wide values: owned by the shell, handed to every window that needs them.
struct ProgramState {
    ProgramState(ProgramPaths programPaths, Database& db, const TimeSource& timeSource, MessageBoxes& boxes,
                 SoundPlayer& soundPlayer, Camera& punchCamera)
        : paths(std::move(programPaths))
        , database(db)
        , time(timeSource)
        , messages(boxes)
        , sounds(soundPlayer)
        , camera(punchCamera)
    {}

    ProgramPaths paths;
    Database& database;
    const TimeSource& time;
    MessageBoxes& messages;
    SoundPlayer& sounds;
    Camera& camera;

    // The embedded file in the data folder, or the server that several stations share.
    DatabaseLocation location;
    SettingsRecord settings;
    QString dateOrder = QStringLiteral("MM-DD-YYYY");
    // An employee database is in use (either source); with useLocalStaff it is the staff files.
    bool useSchedulingLink = false;
    bool useLocalStaff = false;
    // The staff entered in this program, as last read from its files.
    EmployeeList employees;
    DepartmentList departments;
    bool passwordPromptShown = false;
    // The period of the clocking report and of the sequence audit, as day numbers; 0: not chosen.
    qint32 firstDay = 0;
    qint32 lastDay = 0;
    // Set by the staff load when an employee of the scheduling database has no ID.
    bool blankEmployeeId = false;
};
