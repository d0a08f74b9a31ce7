#pragma once

#include <QString>

class TimeSource;

// The program's log in the program folder: one dated line for each fault met where nobody is there
// to read a message (the clock screen's background work).
class ProgramLog {
public:
    ProgramLog(QString programFolder, const TimeSource& time);
    static QString fileName() { return QStringLiteral("Tellarin.log"); }
    // Appends the line with the current time; a log that cannot be written is no reason to stop.
    void write(const QString& line) const;

private:
    QString m_path;
    const TimeSource& m_time;
};
