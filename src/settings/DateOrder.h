#pragma once

#include <QLocale>
#include <QString>

// The order in which the system writes day, month and year: "MM-DD-YYYY", "DD-MM-YYYY" or
// "YYYY-MM-DD", used to read and write typed dates.
namespace DateOrder {
QString detect(const QLocale& locale);
} // namespace DateOrder
