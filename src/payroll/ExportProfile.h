#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class ProgramPaths;

// One column of an export file: its title in the header and what it holds.
struct ExportColumn {
    QString title;
    QString source;  // an ExportSources name; empty for fixed text
    QString literal; // the fixed text when `source` is empty (often empty itself)
    bool blankWhenZero = false;

    bool operator==(const ExportColumn&) const = default;
};

// How a payroll service wants the pay of a period: the file layout, its columns in order with their
// titles, the number, date and text formats and the file name. Profiles are small INI files, so
// a manager can match a service whose template differs from the presets.
struct ExportProfile {
    enum class Format {
        Csv, // RFC 4180: comma-separated, quoted where needed, one optional header row
        Iif, // QuickBooks time activities: TAB-separated, the timer header, then !TIMEACT rows
    };
    enum class Rows { Employee, Workday };
    enum class Hours { Decimal, HoursMinutes };
    enum class Encoding { Utf8, Windows1252 };

    QString name; // what the profile is called in messages and lists
    Format format = Format::Csv;
    Rows rows = Rows::Employee;
    bool header = true;
    Encoding encoding = Encoding::Utf8;
    bool crlf = true;
    Hours hours = Hours::Decimal;
    int decimals = 2;
    QChar decimalPoint = QLatin1Char('.');
    QString dateFormat = QStringLiteral("yyyy-MM-dd"); // letters d, M and y as QDate reads them
    QString fileName;                                  // with {source} placeholders
    QList<ExportColumn> columns;

    bool operator==(const ExportProfile&) const = default;

    // The built-in profiles: adp, quickbooks, gusto.
    static QStringList presetNames();
    // The preset's file text; empty for an unknown name.
    static QString presetText(const QString& name);
    static ExportProfile preset(const QString& name);

    // The profile in `text`; otherwise nothing, with the first problem in `problem`, naming
    // `origin` and the line ("adp.ini line 12: ...").
    static std::optional<ExportProfile> parse(const QString& text, const QString& origin, QString* problem);
    // A preset name, or a profile file to read.
    static std::optional<ExportProfile> load(const QString& presetOrFile, QString* problem);
    // Writes the preset as a file to copy and edit. Refuses a file that exists (it may be one edited
    // already) and the program's own files; false with the reason in `error`.
    static bool writePreset(const QString& name, const ProgramPaths& paths, const QString& output,
                            QString* error);
};
