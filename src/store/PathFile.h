#pragma once

#include "store/EmployeeSource.h"

#include <QString>

class ProgramPaths;

// RtmPath.DAT in the program folder: which employee source is in use and where the data folder is.
namespace PathFile {
struct State {
    QString dataFolder;
    EmployeeSource source = EmployeeSource::None;
};

// What reading the file found wrong with it.
struct Trouble {
    // The file is there but could not be read: the windows run without an employee database (and
    // remove the file), a command refuses to answer from a folder the file may not name.
    bool unreadable = false;
    // Why the folder named cannot be used on this system (a Windows path); empty when it can.
    QString problem;
};

// Where the clock database lives under this state: with the staff files of this program, the
// program folder as the program spells it (the file may name it in another letter case, as written
// on a system that ignores case; here that spelling would be another folder); else the folder named.
QString clockDataFolder(const ProgramPaths& paths, const State& state);

QString fileName();

// A missing, unreadable or empty file means no employee database, and the data folder is the program
// folder. The file itself is never touched. A relative folder is taken
// from the program folder.
State read(const ProgramPaths& paths, Trouble* trouble = nullptr);
// Writes the file naming the folder and sets the source in the state: this program's staff for the
// program folder, the scheduling database for a chosen RTM.MDB, else the source stays as it was.
// Returns false, changing nothing, when the file cannot be written.
bool writeNewPath(const ProgramPaths& paths, const QString& folder, const QString& chosenFileName,
                  State& state);
// Deletes the file and sets no source; the data folder stays as it is.
void remove(const ProgramPaths& paths, State& state);

// Folder text as found in the file, possibly written on Windows, as a folder of this system.
QString localFolder(const QString& folderText);
// The same folder without regard to letter case or a trailing separator.
bool sameFolder(const QString& a, const QString& b);
} // namespace PathFile
