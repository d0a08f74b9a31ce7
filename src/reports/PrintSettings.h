#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

class ProgramPaths;

// The report's font, orientation, shading and rounding as kept between runs in Print.Dat.
struct PrintSettings {
    static constexpr int shadingCount = 7;
    // Sizes a report can be read at; outside them a page shows nothing or a few letters.
    static constexpr double minimumFontSize = 4;
    static constexpr double maximumFontSize = 72;

    int roundingCode = 33;
    QString fontName = defaultFontName();
    double fontSize = 9;
    bool bold = false;
    bool italic = false;
    int orientation = 0; // 0 portrait, 1 landscape
    int shading = 1;     // 1..7

    // Helvetica metrics, narrow enough for the report's columns at 9 points; without it the font
    // system substitutes its own sans-serif face.
    static QString defaultFontName() { return QStringLiteral("Nimbus Sans"); }
    // The pair shading of an index; 0 and anything out of range are the first colour.
    static QColor shadingColor(int index);

    bool operator==(const PrintSettings&) const = default;
};

// Print.Dat in the program folder: nine CR LF lines, one value each, numbers in decimal written the
// way BASIC prints them (a blank for the sign of a non-negative number, a blank after every
// number): rounding code, font name, font size, bold (-1/0), italic (-1/0), orientation, shading
// index, an empty line and 0.
//
// Reading ignores blanks around a value; a file that is missing, cut short or holds no number where
// one belongs gives the defaults whole. A rounding code of 0 reads as 33 and an orientation above 1
// as 1; any other value out of its range (not a number, infinite, not whole where it must be, a
// rounding code whose digits are not 1 to 5, a font size beyond minimumFontSize..maximumFontSize) is
// that value's default. A file written here and read back is written again byte for byte the same.
namespace PrintDat {
QString path(const ProgramPaths& paths);
PrintSettings read(const QByteArray& bytes);
QByteArray bytes(const PrintSettings& settings);
PrintSettings load(const QString& path);
// Through a temporary file: a failed write leaves the old file as it was.
bool save(const QString& path, const PrintSettings& settings);
} // namespace PrintDat
