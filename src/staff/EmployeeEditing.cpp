#include "staff/EmployeeEditing.h"

#include "store/EmployeeId.h"
#include "store/Windows1252.h"

#include <QLatin1Char>
#include <algorithm>
#include <limits>

namespace {
bool isSkipped(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

// The characters of the number with the blanks taken out, read as far as they form one.
struct Scanned {
    bool negative = false;
    QString digits;      // integer and fraction digits together
    qsizetype point = 0; // how many of the digits stand before the decimal point
};

Scanned scan(const QString& text)
{
    QString compact;
    for (QChar c : text) {
        if (!isSkipped(c))
            compact.append(c);
    }
    Scanned s;
    qsizetype i = 0;
    if (i < compact.size() && (compact[i] == QLatin1Char('-') || compact[i] == QLatin1Char('+')))
        s.negative = compact[i++] == QLatin1Char('-');
    bool seenPoint = false;
    for (; i < compact.size(); ++i) {
        const QChar c = compact[i];
        if (c.isDigit() && c.unicode() < 128) {
            s.digits.append(c);
            if (!seenPoint)
                ++s.point;
        } else if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    // An exponent continues the number only when digits follow it.
    if (i < compact.size() &&
        (compact[i].toUpper() == QLatin1Char('E') || compact[i].toUpper() == QLatin1Char('D'))) {
        qsizetype j = i + 1;
        bool minus = false;
        if (j < compact.size() && (compact[j] == QLatin1Char('-') || compact[j] == QLatin1Char('+')))
            minus = compact[j++] == QLatin1Char('-');
        int exponent = 0;
        bool any = false;
        while (j < compact.size() && compact[j].isDigit() && compact[j].unicode() < 128) {
            exponent = qMin(exponent * 10 + compact[j].digitValue(), 1000);
            any = true;
            ++j;
        }
        if (any)
            s.point += minus ? -exponent : exponent;
    }
    return s;
}
} // namespace

QString EmployeeEditing::cleaned(const QString& text)
{
    QString result = text;
    result.replace(QLatin1Char(','), QLatin1Char(' '));
    return result.trimmed();
}

Money EmployeeEditing::payOf(const QString& text)
{
    const Scanned s = scan(text);
    constexpr qint64 limit = std::numeric_limits<qint64>::max() / 10 - 10;
    // Units are ten-thousandths: the digits up to four places after the point, the rest rounds
    // half to even as a currency conversion does.
    const qsizetype cut = s.point + 4;
    qint64 units = 0;
    for (qsizetype k = 0; k < cut; ++k) {
        const int digit = k >= 0 && k < s.digits.size() ? s.digits[k].digitValue() : 0;
        if (units > limit)
            return Money::fromUnits(s.negative ? -limit : limit);
        units = units * 10 + digit;
    }
    if (cut >= 0 && cut < s.digits.size()) {
        const int next = s.digits[cut].digitValue();
        bool restNonZero = false;
        for (qsizetype k = cut + 1; k < s.digits.size(); ++k)
            restNonZero = restNonZero || s.digits[k] != QLatin1Char('0');
        if (next > 5 || (next == 5 && (restNonZero || units % 2 == 1)))
            ++units;
    }
    return Money::fromUnits(s.negative ? -units : units);
}

QString EmployeeEditing::unstorableText(const QString& what, const QString& character)
{
    const QString code = QString::number(character.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0');
    return QStringLiteral("The %1 contains \"%2\" (U+%3), which the staff files cannot hold.\n"
                          "Please type it without that character.")
        .arg(what, character, code);
}

int EmployeeEditing::indexOfId(const QList<Employee>& employees, const QString& id, int skipIndex)
{
    const EmployeeId wanted(id);
    for (int i = 0; i < employees.size(); ++i) {
        if (i != skipIndex && EmployeeId(employees[i].employeeId) == wanted)
            return i;
    }
    return -1;
}

std::optional<EmployeeEditing::Problem> EmployeeEditing::check(const EmployeeList& list, const QString& name,
                                                               const QString& id, int editedIndex)
{
    if (cleaned(name).isEmpty())
        return Problem{Field::Name, QStringLiteral("Last name must be filled out."),
                       QStringLiteral("Last Name is blank")};
    if (const QString c = Windows1252::firstUnencodable(cleaned(name)); !c.isEmpty())
        return Problem{Field::Name, unstorableText(QStringLiteral("name"), c), unstorableTitle};
    const QString cleanId = cleaned(id);
    if (cleanId.isEmpty())
        return Problem{Field::Id, QStringLiteral("Employee ID must be filled out."),
                       QStringLiteral("Employee ID is blank")};
    if (const QString c = Windows1252::firstUnencodable(cleanId); !c.isEmpty())
        return Problem{Field::Id, unstorableText(QStringLiteral("ID"), c), unstorableTitle};
    const int other = indexOfId(list.entries, cleanId, editedIndex);
    if (other >= 0)
        return Problem{Field::Id,
                       QStringLiteral("Employee ID.... ") + cleanId + QStringLiteral("\n\n is in use for ") +
                           list.entries[other].name,
                       QStringLiteral("Duplicate Employee ID")};
    return std::nullopt;
}

QList<Employee> EmployeeEditing::sortedByName(QList<Employee> employees)
{
    std::stable_sort(employees.begin(), employees.end(), [](const Employee& a, const Employee& b) {
        return a.name.toUpper() < b.name.toUpper();
    });
    return employees;
}

QString EmployeeEditing::payText(Money pay)
{
    return pay.toString();
}
