#include "settings/ui/PayPage.h"

#include "settings/SettingsTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int timeWidth = 56;
constexpr int rateWidth = 44;

const QString splitHelp = QStringLiteral(
    "Off: a shift belongs wholly to the workday it starts in, even when it ends the next morning, so a night "
    "shift is paid once. On: a shift is cut at the workday's start and each part counts toward its own "
    "workday, as California counts daily overtime and the federal rule counts the workweek. A business with "
    "night shifts can instead move the workday's start to a time nobody works, such as 18:00.");
const QString dailyHelp = QStringLiteral(
    "For states with daily overtime rules, such as California (overtime after 8:00 and double time after "
    "12:00 in one workday). Off in most states, where only the weekly rule applies.");
const QString ratesHelp = QStringLiteral(
    "Overtime and double time pay this many times the pay rate. Each minute is paid at the rate of the "
    "workday it falls on: for someone paid several rates in one workweek the federal weighted-average "
    "regular rate is not computed; check such weeks with your payroll service.");

// "11: INs to the nearest quarter, OUTs to the nearest quarter" for each code the setting offers:
// a manager picks a rule by what it does, not by its number.
QStringList roundingTexts(const QStringList& codes)
{
    const auto rule = [](QChar digit, const char* edge, const char* towardQuarter) {
        static const char* const words[] = {"to the nearest quarter", nullptr, "as punched",
                                            "to the nearest 5 minutes", "to the nearest 6 minutes"};
        const int d = digit.digitValue();
        return QStringLiteral("%1 %2").arg(QString::fromLatin1(edge),
                                           QString::fromLatin1(d == 2 ? towardQuarter : words[d - 1]));
    };
    QStringList texts;
    for (const QString& code : codes) {
        if (code == QLatin1String("33")) {
            texts.append(QStringLiteral("33: no rounding"));
            continue;
        }
        texts.append(QStringLiteral("%1: %2, %3")
                         .arg(code, rule(code[0], "INs", "up to the next quarter"),
                              rule(code[1], "OUTs", "down to the last quarter")));
    }
    return texts;
}
} // namespace

PayPage::PayPage(QWidget* parent)
    : OptionsPage(parent)
{
    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    // A row of a frame: what it is, its control and the unit after it.
    const auto place = [](QGridLayout* grid, int row, QWidget* first, QWidget* field, const QString& after) {
        grid->addWidget(first, row, 0);
        grid->addWidget(field, row, 1);
        if (!after.isEmpty())
            grid->addWidget(new QLabel(after, grid->parentWidget()), row, 2);
    };
    const auto line = [&](QGridLayout* grid, int row, const QString& caption, QWidget* field,
                          const QString& after = {}) {
        auto* label = new QLabel(caption, grid->parentWidget());
        label->setBuddy(field);
        label->setProperty(helpProperty, field->property(helpProperty));
        place(grid, row, label, field, after);
    };

    auto* week = new QGroupBox(QStringLiteral("Workweek and workday "), this);
    auto* weekGrid = new QGridLayout(week);
    line(weekGrid, 0, QStringLiteral("The workweek starts on"),
         addChoice("cmbWorkweekStart", "pay.workweek_start",
                   QStringLiteral("The day each workweek begins. Weekly overtime is counted within one "
                                  "workweek, whatever the pay period.")));
    line(weekGrid, 1, QStringLiteral("The workday starts at"),
         addBox(
             "txtWorkdayStart", "pay.workday_start",
             QStringLiteral("The time each workday begins, as H:MM. A shift belongs to the workday in which "
                            "it starts. With night shifts, move the start to a time nobody works (such as "
                            "18:00) so that each shift lies within one workday."),
             timeWidth));
    auto* split = addCheck("chkSplitAtWorkdayStart", "pay.split_at_workday_start",
                           QStringLiteral("Split a shift at the workday's start"), splitHelp);
    weekGrid->addWidget(split, 2, 0, 1, 3);
    weekGrid->setColumnStretch(3, 1);
    left->addWidget(week);

    auto* overtime = new QGroupBox(QStringLiteral("Overtime "), this);
    auto* overtimeGrid = new QGridLayout(overtime);
    line(overtimeGrid, 0, QStringLiteral("Weekly overtime after"),
         addBox(
             "txtWeeklyOvertime", "pay.weekly_overtime",
             QStringLiteral("Hours worked in one workweek beyond this are overtime: 40:00 under the federal "
                            "rule (FLSA). 0:00 turns weekly overtime off."),
             timeWidth),
         QStringLiteral("hours"));
    const QString hours = QStringLiteral("hours");
    place(
        overtimeGrid, 1,
        addCheck("chkDailyOvertime", "pay.daily_overtime", QStringLiteral("Daily overtime after"), dailyHelp),
        addBox("txtDailyOvertimeAfter", "pay.daily_overtime_after", dailyHelp, timeWidth), hours);
    place(
        overtimeGrid, 2,
        addCheck("chkDailyDouble", "pay.daily_double", QStringLiteral("Daily double time after"), dailyHelp),
        addBox("txtDailyDoubleAfter", "pay.daily_double_after", dailyHelp, timeWidth), hours);
    overtimeGrid->addWidget(
        addCheck(
            "chkSeventhDay", "pay.seventh_day", QStringLiteral("Seventh day in a row"),
            QStringLiteral("California's seventh-day rule: when someone works on all seven workdays of a "
                           "workweek, the seventh day's first 8 hours are overtime and the rest double "
                           "time.")),
        3, 0, 1, 3);
    line(overtimeGrid, 4, QStringLiteral("Overtime pays"),
         addBox("txtOvertimeRate", "pay.overtime_rate", ratesHelp, rateWidth),
         QStringLiteral("times the pay rate"));
    line(overtimeGrid, 5, QStringLiteral("Double time pays"),
         addBox("txtDoubleRate", "pay.double_rate", ratesHelp, rateWidth),
         QStringLiteral("times the pay rate"));
    line(
        overtimeGrid, 6, QStringLiteral("Rounding of punches"),
        addChoice("cmbPayRounding", "pay.rounding",
                  QStringLiteral("How punch times are rounded for pay, with the clocking report's codes: the "
                                 "first digit rounds clock ins, the second clock outs; 33 rounds nothing."),
                  roundingTexts(SettingsTable::at(QStringLiteral("pay.rounding")).choices)));
    overtimeGrid->setColumnStretch(3, 1);
    left->addWidget(overtime);
    left->addStretch(1);

    auto* periods = new QGroupBox(QStringLiteral("Pay periods "), this);
    auto* periodGrid = new QGridLayout(periods);
    QComboBox* periodKind = addChoice(
        "cmbPayrollPeriod", "payroll.period",
        QStringLiteral("Weekly, biweekly (every two weeks), semimonthly (the 1st to the 15th and the "
                       "16th to the month's last day) or monthly. Periods already approved or locked "
                       "keep their days when this changes."));
    line(periodGrid, 0, QStringLiteral("Pay period"), periodKind);
    QLineEdit* anchor =
        addBox("txtPayrollAnchor", "payroll.anchor",
               QStringLiteral("For weekly and biweekly periods: the first day of any one pay period, as "
                              "YYYY-MM-DD. Empty: the periods begin with the workweek."),
               96);
    line(periodGrid, 1, QStringLiteral("First day of a period"), anchor);
    // Months fix their own periods' days; only weekly and biweekly ones count from a first day.
    const auto counted = [periodKind, anchor] {
        anchor->setEnabled(periodKind->currentData().toString().endsWith(QLatin1String("weekly")));
    };
    connect(periodKind, &QComboBox::currentIndexChanged, this, counted);
    counted();
    periodGrid->setColumnStretch(3, 1);
    right->addWidget(periods);

    const QString adpHelp = QStringLiteral(
        "ADP Workforce Now: the company code and batch ID as ADP gives them, and the earnings code of double "
        "time hours (D unless ADP tells you otherwise).");
    auto* adp = new QGroupBox(QStringLiteral("ADP "), this);
    auto* adpGrid = new QGridLayout(adp);
    line(adpGrid, 0, QStringLiteral("Company code"),
         addBox("txtAdpCompany", "payroll.adp.company", adpHelp, 96));
    line(adpGrid, 1, QStringLiteral("Batch ID"), addBox("txtAdpBatch", "payroll.adp.batch", adpHelp, 96));
    line(adpGrid, 2, QStringLiteral("Double time code"),
         addBox("txtAdpDoubleCode", "payroll.adp.double_code", adpHelp, rateWidth));
    adpGrid->setColumnStretch(3, 1);
    right->addWidget(adp);

    const QString quickbooksHelp = QStringLiteral("QuickBooks Desktop: the company name as QuickBooks shows "
                                                  "it, the company's create time (the number in "
                                                  "the first lines of a timer list QuickBooks exported; 0 "
                                                  "when you do not know it) and the service item "
                                                  "the hours are booked to.");
    auto* quickbooks = new QGroupBox(QStringLiteral("QuickBooks "), this);
    auto* quickbooksGrid = new QGridLayout(quickbooks);
    line(quickbooksGrid, 0, QStringLiteral("Company"),
         addBox("txtQuickbooksCompany", "payroll.quickbooks.company", quickbooksHelp));
    line(quickbooksGrid, 1, QStringLiteral("Create time"),
         addBox("txtQuickbooksCreateTime", "payroll.quickbooks.create_time", quickbooksHelp, 96));
    line(quickbooksGrid, 2, QStringLiteral("Item"),
         addBox("txtQuickbooksItem", "payroll.quickbooks.item", quickbooksHelp, 96));
    quickbooksGrid->setColumnStretch(3, 1);
    right->addWidget(quickbooks);
    right->addStretch(1);
}
