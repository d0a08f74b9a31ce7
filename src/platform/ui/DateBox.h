#pragma once

#include <QDateEdit>
#include <QString>

// A date box with a calendar that shows dates as the command line writes them.
inline QDateEdit* dateBox(const char* objectName)
{
    auto* box = new QDateEdit;
    box->setObjectName(QString::fromLatin1(objectName));
    box->setCalendarPopup(true);
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return box;
}
