#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

class ProgramPaths;

// The name of a punch picture and the line of text stamped on it.
namespace PictureText {
// data folder/Pictures/<record number>.jpg: the picture shares its number with its record.
QString fileName(const ProgramPaths& paths, qint64 recordNumber);

// Two-digit day, abbreviated month of the locale, two-digit year: 04-Dec-26.
QString dateText(const QDate& day, const QLocale& locale);
// With a leading blank, so two blanks follow the date.
QString directionText(bool clockOut);

struct Punch {
    QString id;           // the normalised ID
    QString employeeName; // as the confirmation panel shows it
    QDate day;            // the date the clock screen last saw change
    QTime time;           // the punch time
    bool clockOut = false;
};

// withEmployeeDatabase: whether IDs are checked against staff; without, the name is left out.
QString text(const Punch& punch, bool withEmployeeDatabase, bool clock12Hour, const QLocale& locale);
} // namespace PictureText
