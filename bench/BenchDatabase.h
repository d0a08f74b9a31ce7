#pragma once

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"

#include <QDateTime>
#include <QString>

// The clock databases the benchmarks run on, built once into a folder of their own and reused.
namespace BenchDatabase {
inline constexpr int employeeCount = 500;

// TELLARIN_BENCH_FOLDER, or /tmp/tellarin-bench.
QString benchFolder();
QString employeeId(int i);
// A program folder whose Clock.mdb holds `rows` clock records over 500 employees and ten years, and
// whose staff table holds the 500 employees for 2026-12-04 (08:00 to 17:00).
QString preparedFolder(int rows);
// The report benchmarks' folder: 200 employees with three pairs a day on about 350 days of 2025,
// some OUTs with tips, twelve departments: about 420,000 rows, 35,000 in December.
inline constexpr int reportEmployeeCount = 200;
inline const QDate yearStart(2025, 1, 1);
inline const QDate yearEnd(2025, 12, 31);
inline const QDate monthStart(2025, 12, 1);
QString reportFolder();
// Empl.DAT with the same 500 employees, and the path file naming the program folder, so a start-up
// rebuilds the same staff table from the staff files.
void writeStaffFiles(const QString& folder);
} // namespace BenchDatabase

// A clock that moves on one second at every reading, from 2026-12-04 08:00.
class SteppingTime final : public TimeSource {
public:
    QDateTime now() const override { return m_now = m_now.addSecs(1); }

private:
    mutable QDateTime m_now{QDateTime(QDate(2026, 12, 4), QTime(8, 0))};
};

// Answers every question with No and counts what would have been shown.
class NoMessages final : public MessageBoxes {
public:
    void inform(QWidget*, const QString&, const QString&, Icon) override { ++shown; }
    Answer askYesNo(QWidget*, const QString&, const QString&, Icon) override
    {
        ++shown;
        return Answer::No;
    }
    void beep() override {}
    int shown = 0;
};
