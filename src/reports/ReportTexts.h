#pragma once

#include "store/Money.h"

#include <QString>
#include <optional>

// The fixed texts and number formats of the clocking report.
namespace ReportTexts {
// Hours, a colon and two-digit minutes: 125 gives 2:05. A negative count keeps its sign in
// front (-15 gives -0:15), the same for pairs, groups and the grand total.
QString ConvertToHrsMin(qint64 minutes);
// "###.00": 12.5 gives 12.50, 0.5 gives .50.
QString moneyPlain(Money amount);
// "###,0.00": 1234.5 gives 1,234.50, 0 gives 0.00.
QString moneyGrouped(Money amount);

// The mark of a record's `Options` code as the time column shows it after " - " ("Forced",
// "In late"); empty for a code without a mark.
QString markName(qint16 options);

// Beside a group total: " Deducted 2 (30 minutes breaks) for a total of 60 minutes    ".
QString groupDeduction(int breaks, int minutesToDeduct);
// At the grand total: "Deducted 3 (30 minutes breaks) for a total of 90 minutes (1:30 Hrs:Min)".
QString grandDeduction(int breaks, int minutesToDeduct);

// What CheckDate finds wrong with a period, with the title of its message; nothing when complete.
struct DateProblem {
    QString text;
    QString title;
};
std::optional<DateProblem> CheckDate(qint32 firstDay, qint32 lastDay);

QString noRecordsText();
QString noRecordsTitle();
} // namespace ReportTexts
