#include "platform/TimeSource.h"

QDateTime SystemTimeSource::now() const
{
    QDateTime t = QDateTime::currentDateTime();
    return t.addMSecs(-t.time().msec());
}

QDateTime SystemTimeSource::preciseNow() const
{
    return QDateTime::currentDateTime();
}
