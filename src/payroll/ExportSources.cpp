#include "payroll/ExportSources.h"

#include <QStringList>
#include <iterator>

namespace {
using ExportSources::Kind;
using ExportSources::Scope;

constexpr ExportSources::Source all[] = {
    {"id", Kind::Text, Scope::Employee},
    {"payroll_number", Kind::Text, Scope::Employee},
    {"name", Kind::Text, Scope::Employee},
    {"first_name", Kind::Text, Scope::Employee},
    {"last_name", Kind::Text, Scope::Employee},
    {"date", Kind::Text, Scope::WorkdayRows},
    {"hours", Kind::Hours, Scope::Employee},
    {"regular_hours", Kind::Hours, Scope::Employee},
    {"overtime_hours", Kind::Hours, Scope::Employee},
    {"double_hours", Kind::Hours, Scope::Employee},
    {"double_code", Kind::Text, Scope::Employee},
    {"gross", Kind::Money, Scope::EmployeeRows},
    {"tips", Kind::Money, Scope::EmployeeRows},
    {"period_first", Kind::Text, Scope::Period},
    {"period_last", Kind::Text, Scope::Period},
    {"adp.company", Kind::Text, Scope::Setting},
    {"adp.batch", Kind::Text, Scope::Setting},
    {"adp.double_code", Kind::Text, Scope::Setting},
    {"quickbooks.company", Kind::Text, Scope::Setting},
    {"quickbooks.create_time", Kind::Text, Scope::Setting},
    {"quickbooks.item", Kind::Text, Scope::Setting},
};
} // namespace

const ExportSources::Source* ExportSources::find(const QString& name)
{
    for (const Source& source : all) {
        if (name == QLatin1String(source.name))
            return &source;
    }
    return nullptr;
}

QString ExportSources::listed()
{
    QStringList names;
    for (const Source& source : all)
        names.append(QLatin1String(source.name));
    return names.join(QStringLiteral(", "));
}
