#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// The rules that round punch times on the clocking report. Each rule works on clock-face seconds
// (see ReportRow::time) and, for callers holding dates, on a QDateTime; the stored time of a clock
// record never changes.
namespace Rounding {
qint64 nearestQuarter(qint64 seconds);
qint64 nextQuarter(qint64 seconds);     // always forward, also from a time on a quarter
qint64 previousQuarter(qint64 seconds); // keeps the seconds of the input
qint64 nearestFiveMinutes(qint64 seconds);
qint64 nearestSixMinutes(qint64 seconds);
qint64 noAdjustment(qint64 seconds);

// The same rules on a local date and time, with calendar arithmetic across hours and days.
QDateTime apply(qint64 (*rule)(qint64), const QDateTime& moment);
qint64 toSeconds(const QDateTime& moment);
QDateTime toDateTime(qint64 seconds);

// The message shown on Preview for the combinations that can put an OUT before its IN.
QString warningTitle();
QString warningText();
} // namespace Rounding

// Two decimal digits: the tens choose the rule for clock INs, the units the rule for clock OUTs.
class RoundingCode {
public:
    static constexpr int defaultCode = 33;
    static constexpr int optionCount = 5;

    constexpr RoundingCode() = default;
    // Codes whose digits are not both 1 to 5 are taken as the default.
    explicit RoundingCode(int code);
    // "NN" with both digits 1 to 5; nothing otherwise.
    static std::optional<RoundingCode> parse(const QString& text);
    // From the window's selected options, 0 to 4 each.
    static RoundingCode fromOptions(int inOption, int outOption);
    static bool isValid(int code);

    int code() const { return m_code; }
    int inDigit() const { return m_code / 10; }
    int outDigit() const { return m_code % 10; }
    int inOption() const { return inDigit() - 1; }
    int outOption() const { return outDigit() - 1; }

    qint64 roundIn(qint64 seconds) const;
    qint64 roundOut(qint64 seconds) const;
    // The line that names the rules on every page; empty when neither rule adjusts.
    QString line() const;
    // Later-to-the-quarter INs or earlier-to-the-quarter OUTs can make worked time negative.
    bool needsWarning() const { return inDigit() == 2 || outDigit() == 2; }

    // The captions of the window's options, in option order.
    static QStringList inOptionTexts();
    static QStringList outOptionTexts();

    bool operator==(const RoundingCode&) const = default;

private:
    int m_code = defaultCode;
};
