#include "reports/ReportPeriod.h"

#include "TestFolder.h"
#include "reports/ReportDocument.h"
#include "store/DayNumber.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
ReportPeriod::Days days(QDate first, QDate last)
{
    return {DayNumber::of(first), DayNumber::of(last)};
}
} // namespace

TEST(ReportPeriod, QuickChoicesAroundToday)
{
    using ReportPeriod::Quick;
    const struct {
        QDate today;
        Qt::DayOfWeek weekStart;
        Quick quick;
        QDate first;
        QDate last;
    } cases[] = {
        // Monday 7 December 2026
        {QDate(2026, 12, 7), Qt::Sunday, Quick::ThisWeek, QDate(2026, 12, 6), QDate(2026, 12, 12)},
        {QDate(2026, 12, 7), Qt::Monday, Quick::ThisWeek, QDate(2026, 12, 7), QDate(2026, 12, 13)},
        {QDate(2026, 12, 6), Qt::Monday, Quick::ThisWeek, QDate(2026, 11, 30), QDate(2026, 12, 6)},
        {QDate(2026, 12, 7), Qt::Sunday, Quick::LastWeek, QDate(2026, 11, 29), QDate(2026, 12, 5)},
        {QDate(2027, 1, 2), Qt::Monday, Quick::LastWeek, QDate(2026, 12, 21), QDate(2026, 12, 27)},
        {QDate(2026, 12, 7), Qt::Sunday, Quick::ThisMonth, QDate(2026, 12, 1), QDate(2026, 12, 31)},
        {QDate(2024, 2, 29), Qt::Sunday, Quick::ThisMonth, QDate(2024, 2, 1), QDate(2024, 2, 29)},
        {QDate(2026, 3, 31), Qt::Sunday, Quick::LastMonth, QDate(2026, 2, 1), QDate(2026, 2, 28)},
        {QDate(2027, 1, 15), Qt::Sunday, Quick::LastMonth, QDate(2026, 12, 1), QDate(2026, 12, 31)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReportPeriod::quick(c.quick, c.today, c.weekStart), days(c.first, c.last))
            << c.today.toString(Qt::ISODate).toStdString() << " "
            << ReportPeriod::caption(c.quick).toStdString();
}

TEST(ReportPeriod, WindowSizeKeptBesideTheStationSettings)
{
    TestFolder folder;
    const QString programFolder = folder.path();
    EXPECT_TRUE(ReportPeriod::windowGeometry(programFolder).isEmpty());
    ReportPeriod::rememberWindowGeometry(programFolder, QByteArray("geometry"));
    EXPECT_EQ(ReportPeriod::windowGeometry(programFolder), QByteArray("geometry"));
    EXPECT_TRUE(QFile::exists(programFolder + QStringLiteral("/Station.ini")));
}

TEST(ReportDocument, PdfMarginsNeverUnderAQuarterInch)
{
    EXPECT_EQ(ReportDocument::pdfMargins(std::nullopt), QMarginsF(6.35, 6.35, 6.35, 6.35));
    EXPECT_EQ(ReportDocument::pdfMargins(QMarginsF(3.5, 3.5, 3.5, 3.5)), QMarginsF(6.35, 6.35, 6.35, 6.35));
    EXPECT_EQ(ReportDocument::pdfMargins(QMarginsF(4.2, 10, 7, 12.7)), QMarginsF(6.35, 10, 7, 12.7));
}
