#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

// One month laid out as a calendar, Sunday first, with one selected day; moves by months and
// years and always keeps a day selected.
class MonthGrid {
public:
    explicit MonthGrid(QDate today);

    int month() const { return m_month; }
    int year() const { return m_year; }
    int daysInMonth() const;
    QDate date(int day) const { return QDate(m_year, m_month, day); }

    // Where a day sits: column 0 is Sunday, row 0 the first calendar week.
    int column(int day) const;
    int row(int day) const;
    int rowCount() const { return row(daysInMonth()) + 1; }

    int selectedDay() const { return m_selected; }
    void select(int day);

    // Navigation label 0, 1, 3, 4 move the month by -2, -1, +1, +2 and 2 goes to today's month;
    // 5 to 9 do the same for the year. Then today's day of the month is selected again, or the
    // last day of a shorter month.
    void navigate(int labelIndex);

    // "December - 2026"
    QString title(const QLocale& locale) const;
    // Two characters of each short weekday name, Sunday first.
    static QStringList weekdayHeadings(const QLocale& locale);

private:
    void selectToday();

    int m_todayDay;
    int m_todayMonth;
    int m_todayYear;
    int m_month;
    int m_year;
    int m_selected = 1;
};
