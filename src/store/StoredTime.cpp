#include "store/StoredTime.h"

namespace {
const QString storedFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
}

QString StoredTime::toText(const QDateTime& moment)
{
    return moment.toString(storedFormat);
}

QDateTime StoredTime::fromText(const QString& text)
{
    QDateTime moment = QDateTime::fromString(text.left(19), storedFormat);
    if (!moment.isValid()) // a date without time, as another tool may have written it
        moment = QDateTime(QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
    return moment;
}
