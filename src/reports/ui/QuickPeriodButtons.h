#pragma once

#include "platform/ui/PlainButton.h"
#include "reports/ReportPeriod.h"

#include <QBoxLayout>
#include <QObject>
#include <utility>

// Adds the this-week, last-week, this-month and last-month buttons to a row; a click tells `chosen`.
template <typename Chosen> void addQuickPeriodButtons(QBoxLayout* row, const QObject* receiver, Chosen chosen)
{
    using ReportPeriod::Quick;
    const std::pair<Quick, const char*> choices[] = {{Quick::ThisWeek, "cmdThisWeek"},
                                                     {Quick::LastWeek, "cmdLastWeek"},
                                                     {Quick::ThisMonth, "cmdThisMonth"},
                                                     {Quick::LastMonth, "cmdLastMonth"}};
    for (const auto& [quick, name] : choices) {
        QPushButton* b = plainButton(ReportPeriod::caption(quick), name);
        QObject::connect(b, &QPushButton::clicked, receiver, [chosen, quick = quick] { chosen(quick); });
        row->addWidget(b);
    }
}
