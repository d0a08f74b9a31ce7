#pragma once

#include "pay/PayCalculation.h"
#include "settings/SettingsRecord.h"
#include "store/DayNumber.h"

#include <QList>
#include <cstdlib>
#include <ctime>
#include <ostream>
#include <vector>

inline void PrintTo(const PayMinutes& m, std::ostream* os)
{
    *os << "{regular " << m.regular << ", overtime " << m.overtime << ", double " << m.doubleTime << "}";
}

// Shifts written as wall-clock text, turned into the rows the clocking report reads.
namespace PayFixture {
struct Shift {
    QByteArray in;  // "2026-06-08 08:00"; empty for an OUT alone
    QByteArray out; // empty for an IN that nothing closes
};

inline qint64 clockFace(QByteArray text)
{
    if (text.size() == 16)
        text += ":00";
    return ReportRows::clockSeconds(text);
}

// The same shift on `count` days from `date`; an OUT before the IN is on the next day.
inline std::vector<Shift> everyDay(const char* date, int count, const char* in, const char* out)
{
    std::vector<Shift> shifts;
    const QDate first = QDate::fromString(QString::fromLatin1(date), Qt::ISODate);
    const bool overnight = qstrcmp(out, in) < 0;
    for (int i = 0; i < count; ++i) {
        const QDate d = first.addDays(i);
        shifts.push_back({d.toString(Qt::ISODate).toLatin1() + ' ' + in,
                          d.addDays(overnight ? 1 : 0).toString(Qt::ISODate).toLatin1() + ' ' + out});
    }
    return shifts;
}

inline std::vector<Shift> operator+(std::vector<Shift> a, const std::vector<Shift>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline qint32 day(const char* date)
{
    return DayNumber::of(QDate::fromString(QString::fromLatin1(date), Qt::ISODate));
}

inline void add(QList<ReportRow>& rows, const char* id, const std::vector<Shift>& shifts,
                const char* tips = nullptr)
{
    for (const Shift& s : shifts) {
        for (const bool out : {false, true}) {
            const QByteArray& t = out ? s.out : s.in;
            if (t.isEmpty())
                continue;
            ReportRow r;
            r.employeeId = QString::fromLatin1(id);
            r.employee = QStringLiteral("Name ") + r.employeeId;
            r.time = clockFace(t);
            r.clockOut = out;
            if (r.clockOut && tips)
                r.tips = *Money::parse(QString::fromLatin1(tips));
            rows.append(r);
        }
    }
}

inline QList<ReportRow> rows(const char* id, const std::vector<Shift>& shifts)
{
    QList<ReportRow> list;
    add(list, id, shifts);
    return list;
}

inline Money money(const char* text)
{
    return *Money::parse(QString::fromLatin1(text));
}

inline PayRules weekly()
{
    return PayRules();
}

// Daily 8 and 12 hours, weekly 40, the seventh day.
inline PayRules california(bool split = false)
{
    PayRules r;
    r.dailyOvertime = true;
    r.dailyDouble = true;
    r.seventhDay = true;
    r.splitAtWorkdayStart = split;
    return r;
}

inline SettingsRecord noDeduction()
{
    SettingsRecord s;
    s.autoDeduct = false;
    s.reportTips = true;
    return s;
}

inline PayRequest request(const char* first, const char* last, const PayRules& rules, int rounding = 33)
{
    PayRequest r;
    r.firstDay = day(first);
    r.lastDay = day(last);
    r.rules = rules;
    r.rounding = RoundingCode(rounding);
    r.zone = QTimeZone("America/New_York");
    return r;
}

inline PayResult compute(const PayRequest& request, const QList<ReportRow>& rows, const char* rate = "20",
                         const SettingsRecord& settings = noDeduction())
{
    PayRates rates;
    for (const ReportRow& r : rows)
        rates[r.employeeId.toUpper()].storedPay = money(rate);
    return PayCalculation(request, settings, rates).compute(rows);
}

// Pins the process's time zone for one test and puts the previous one back.
class ZonePin {
public:
    explicit ZonePin(const char* zone)
        : m_previous(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZonePin()
    {
        qputenv("TZ", m_previous);
        tzset();
    }
    ZonePin(const ZonePin&) = delete;
    ZonePin& operator=(const ZonePin&) = delete;

private:
    QByteArray m_previous;
};
} // namespace PayFixture
