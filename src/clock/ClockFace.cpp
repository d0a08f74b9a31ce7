#include "clock/ClockFace.h"

QString ClockFace::timeText(const QTime& time, bool clock12Hour, const QLocale& locale)
{
    return locale.toString(time, clock12Hour ? QStringLiteral("h:mm ap") : QStringLiteral("h:mm"));
}

QString ClockFace::dateText(const QDate& date, const QLocale& locale)
{
    return locale.toString(date, QLocale::LongFormat);
}

QString ClockFace::exitToolTip(const QString& password)
{
    return password.trimmed().isEmpty() ? QStringLiteral("Click here to exit")
                                        : QStringLiteral("You will need your Password to exit");
}

ClockFace::PasswordEntry ClockFace::judgePassword(const QString& typed, const QString& password)
{
    const QString entry = typed.trimmed().toUpper();
    if (entry.isEmpty())
        return PasswordEntry::Cancel;
    return entry == password.trimmed().toUpper() ? PasswordEntry::Accept : PasswordEntry::Ignore;
}
