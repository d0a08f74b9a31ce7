#include "settings/Password.h"

#include "settings/Scramble.h"
#include "store/ApplicationTable.h"

namespace {
constexpr char16_t backspace = 8;
constexpr char16_t carriageReturn = 13;

bool allowedCode(QChar c)
{
    return c.unicode() >= 32 && c.unicode() <= 94;
}

const QString passwordField = QStringLiteral("PW");
} // namespace

Password::KeyDecision Password::filterKey(QChar typed)
{
    if (typed.unicode() == backspace)
        return {KeyAction::Accept, typed};
    if (typed.unicode() == carriageReturn)
        return {KeyAction::Enter, typed};
    const QChar upper = typed.toUpper();
    if (!allowedCode(upper))
        return {KeyAction::Refuse, typed};
    return {KeyAction::Accept, upper};
}

Password::CheckResult Password::check(const QString& typed, const QString& password)
{
    const QString entry = typed.trimmed();
    if (entry.size() < 2)
        return CheckResult::Ignored;
    return entry.toUpper() == password ? CheckResult::Unlocked : CheckResult::Denied;
}

bool Password::lengthAcceptable(const QString& boxText)
{
    if (boxText.isEmpty())
        return true;
    const qsizetype length = boxText.trimmed().size();
    return length >= minimumLength && length <= maximumLength;
}

bool Password::validNew(const QString& entry)
{
    const QString trimmed = entry.trimmed().toUpper();
    if (trimmed.size() < minimumLength || trimmed.size() > maximumLength)
        return false;
    for (const QChar c : trimmed) {
        if (!allowedCode(c))
            return false;
    }
    return true;
}

QString Password::save(ApplicationTable& table, const QString& entry)
{
    const QString held = entry.trimmed().toUpper();
    table.write({{passwordField, Scramble::apply(held)}});
    return held;
}

void Password::remove(ApplicationTable& table)
{
    table.write({{passwordField, QString(QLatin1String(""))}});
}

int Password::resetCode(QDate day)
{
    // Support works this out by hand from the caller's date; keep docs/support-reset-code.md in step.
    return (day.day() * 31 + day.month() * 97) * 13 + 2718;
}

bool Password::clearByResetCode(ApplicationTable& table, const QString& typed, QDate today)
{
    bool isNumber = false;
    const int number = typed.trimmed().toInt(&isNumber);
    if (!isNumber || number != resetCode(today))
        return false;
    if (table.read().isNull(passwordField))
        return false;
    remove(table);
    return true;
}
