#pragma once

#include "settings/OptionsSave.h"
#include "settings/ui/OptionsPage.h"

class QButtonGroup;
struct Services;
class Session;

// The "General" page of the options dialog: pictures, sound, the clock screen's behaviour, the
// confirmation, forced clock-outs, the break deduction and the employee source.
//
// Object names: check boxes chkTakePictures, chkUseSound, chkReportTips, chkShowClockFirst,
// chkShowKeyboard, chkAllowMinimize, chkShowLiveCam, chkShowInOutLists, chkShowElapsedTime,
// chkForceClockOuts, chkAutoDeduct; options opt24Hour, opt12Hour, optDatabase0 to optDatabase2;
// boxes txtPictureDays, txtScreenInOutDays, txtKeepInSeconds, txtKeepOutSeconds, txtForceAfter,
// txtMinutesToDeduct, txtMinBeforeDed; list cboForcedOutTime.
class GeneralPage : public OptionsPage {
    Q_OBJECT

public:
    // Choosing another employee source reads the staff files into `state` at once.
    GeneralPage(const Services& services, Session& session, EmployeeSource source, QWidget* parent = nullptr);

    // Shown on the page's "Database " frame and first in the dialog's explanation line.
    static inline const QString sourceHelp =
        QStringLiteral("You can use the Scheduling database (RTM.MDB) to verify the employee and their "
                       "scheduled start and stop times. ");

    const SourceChoice& source() const { return m_source; }

private:
    void chooseSource(int index);

    const Services& m_services;
    Session& m_session;
    SourceChoice m_source;
    QButtonGroup* m_sources = nullptr;
};
