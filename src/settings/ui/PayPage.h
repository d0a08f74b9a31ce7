#pragma once

#include "settings/ui/OptionsPage.h"

// The "Pay" page of the options dialog: the workweek and workday, the overtime rules and rates, the
// rounding of pay, the pay period and what the payroll services' files name.
//
// Object names: cmbWorkweekStart, txtWorkdayStart, chkSplitAtWorkdayStart, txtWeeklyOvertime,
// chkDailyOvertime, txtDailyOvertimeAfter, chkDailyDouble, txtDailyDoubleAfter, chkSeventhDay,
// txtOvertimeRate, txtDoubleRate, cmbPayRounding, cmbPayrollPeriod, txtPayrollAnchor, txtAdpCompany,
// txtAdpBatch, txtAdpDoubleCode, txtQuickbooksCompany, txtQuickbooksCreateTime, txtQuickbooksItem.
class PayPage : public OptionsPage {
    Q_OBJECT

public:
    explicit PayPage(QWidget* parent = nullptr);
};
