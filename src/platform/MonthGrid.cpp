#include "platform/MonthGrid.h"

#include <algorithm>

namespace {
constexpr int firstYear = 100;
constexpr int lastYear = 9999;
} // namespace

MonthGrid::MonthGrid(QDate today)
    : m_todayDay(today.day())
    , m_todayMonth(today.month())
    , m_todayYear(today.year())
    , m_month(today.month())
    , m_year(today.year())
{
    selectToday();
}

int MonthGrid::daysInMonth() const
{
    return QDate(m_year, m_month, 1).daysInMonth();
}

int MonthGrid::column(int day) const
{
    return date(day).dayOfWeek() % 7; // Qt counts Monday 1 .. Sunday 7
}

int MonthGrid::row(int day) const
{
    return (column(1) + day - 1) / 7;
}

void MonthGrid::select(int day)
{
    m_selected = std::clamp(day, 1, daysInMonth());
}

void MonthGrid::navigate(int labelIndex)
{
    if (labelIndex == 2) {
        m_month = m_todayMonth;
    } else if (labelIndex == 7) {
        m_year = m_todayYear;
    } else if (labelIndex >= 0 && labelIndex <= 4) {
        // Months counted from year 0 make the wrap of 0, -1, 13 and 14 into the next year plain.
        const int months = m_year * 12 + (m_month - 1) + (labelIndex - 2);
        const int year = months / 12;
        if (year >= firstYear && year <= lastYear) {
            m_year = year;
            m_month = months % 12 + 1;
        }
    } else if (labelIndex >= 5 && labelIndex <= 9) {
        m_year = std::clamp(m_year + (labelIndex - 7), firstYear, lastYear);
    }
    selectToday();
}

QString MonthGrid::title(const QLocale& locale) const
{
    return locale.standaloneMonthName(m_month, QLocale::LongFormat) + QStringLiteral(" -") +
           QLatin1Char(' ') + QString::number(m_year);
}

QStringList MonthGrid::weekdayHeadings(const QLocale& locale)
{
    QStringList headings;
    for (int i = 0; i < 7; ++i) {
        const int qtDay = i == 0 ? 7 : i;
        const QString name = locale.dayName(qtDay, QLocale::ShortFormat).left(2);
        headings.append(name.size() == 1 ? QLatin1Char(' ') + name : name);
    }
    return headings;
}

void MonthGrid::selectToday()
{
    select(m_todayDay);
}
