// Any profile file must be read without a crash, a refusal must name where it comes from, and a
// profile that is accepted must write any pay and name its file with a plain file name.
#include "payroll/PayrollExport.h"
#include "store/DayNumber.h"

#include <cstdlib>

namespace {
PayResult somePay()
{
    PayResult pay;
    for (const char* id : {"1001", "=2"}) {
        EmployeePay e;
        e.id = QString::fromLatin1(id);
        e.name = QStringLiteral("René \"Tab\"\tLefèvre, Łukasz");
        for (qint64 minutes : {0, 1, 1439, 1440, 5000}) {
            WorkdayPay w;
            w.day = DayNumber::of(QDate(2026, 12, 7)) + qint32(e.workdays.size());
            w.paid = {minutes / 3, minutes / 3, minutes - 2 * (minutes / 3)};
            e.workdays.append(w);
            e.paid += w.paid;
        }
        e.gross = Money::fromUnits(123456789);
        e.tips = Money::fromUnits(-5000);
        pay.employees.append(e);
    }
    return pay;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString problem;
    const auto profile = ExportProfile::parse(text, QStringLiteral("fuzz.ini"), &problem);
    if (!profile) {
        if (!problem.startsWith(QLatin1String("fuzz.ini")))
            std::abort();
        return 0;
    }
    static const PayResult pay = somePay();
    ExportInput input;
    input.period = {QDate(2026, 12, 7), QDate(2026, 12, 20)};
    input.pay = &pay;
    input.settings.adpCompany = QStringLiteral("../Ω:x");
    input.settings.quickbooksCompany = QStringLiteral("Café\r\nRouge");
    const QByteArray bytes = PayrollExport::bytes(*profile, input, &problem);
    if (bytes.isEmpty() == problem.isEmpty() &&
        !(profile->format == ExportProfile::Format::Csv && !profile->header))
        std::abort();
    const QString name = PayrollExport::fileName(*profile, input.period, input.settings);
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String("..") ||
        name == QLatin1String("."))
        std::abort();
    return 0;
}
