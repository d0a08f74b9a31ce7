#pragma once

#include <QString>

class ProgramPaths;

// RtmPath.DAT in the program folder: which employee source is in use and where the data folder is.
namespace PathFile {
struct State {
    QString dataFolder;
    bool useSchedulingLink = false; // an employee database is in use (either source)
    bool useLocalStaff = false;     // the staff files of this program are that database
};

// Where the clock database lives under this state: with the staff files of this program, the
// program folder as the program spells it (the file may name it in another letter case, as written
// on a system that ignores case; here that spelling would be another folder); else the folder named.
QString clockDataFolder(const ProgramPaths& paths, const State& state);

QString fileName();

// A missing, unreadable or empty file means no employee database: both flags are clear, the data
// folder is the program folder and the file is deleted.
State read(const ProgramPaths& paths);
// Writes the file naming the folder and sets the flags in the state. Returns false, changing
// nothing, when the file cannot be written.
bool writeNewPath(const ProgramPaths& paths, const QString& folder, const QString& chosenFileName,
                  State& state);
// Deletes the file and clears both flags; the data folder stays as it is.
void remove(const ProgramPaths& paths, State& state);

// Folder text as found in the file, possibly written on Windows, as a folder of this system.
QString localFolder(const QString& folderText);
// The same folder without regard to letter case or a trailing separator.
bool sameFolder(const QString& a, const QString& b);
} // namespace PathFile
