#pragma once

#include "settings/OptionsSave.h"

#include <QDialog>
#include <QHash>
#include <optional>

class CameraPage;
class DateTimePage;
class PasswordPage;
class StationsPage;
class ProgramExit;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class SystemClockSetter;
struct ProgramState;

// The options dialog: every option of the settings record on six pages, saved together by
// "&Save all settings"; the password, the system clock and the camera act on their own buttons.
//
// Object names: tabOptions; buttons cmdSave and cmdCancel; lblHelp; check boxes chkTakePictures,
// chkUseSound, chkReportTips, chkShowClockFirst, chkShowKeyboard, chkAllowMinimize, chkShowLiveCam,
// chkShowInOutLists, chkShowElapsedTime, chkForceClockOuts, chkAutoDeduct, chkEarlyInShow,
// chkEarlyInReject, chkLateOutShow, chkLateOutReject, chkLateInShow, chkLateInReject,
// chkEarlyOutShow, chkEarlyOutReject; options opt24Hour, opt12Hour, optDatabase0 to optDatabase2;
// boxes txtPictureDays, txtScreenInOutDays, txtKeepInSeconds, txtKeepOutSeconds, txtForceAfter,
// txtMinutesToDeduct, txtMinBeforeDed, txtEarlyMessage, txtLateMessage, txtLateInMessage,
// txtEarlyOutMessage, txtEarlyLimit, txtLateLimit, txtLateInLimit, txtEarlyOutLimit, txtRejected,
// txtClockingIN, txtClockingOUT, txtTipsWord, txtEnterID, txtTryAgain, txtNotFound,
// txtGoodMorning, txtGoodNight; lblNoDatabase.
class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    OptionsDialog(ProgramState& state, ProgramExit& exit, SystemClockSetter& clockSetter,
                  QWidget* parent = nullptr);
    ~OptionsDialog() override;

    // Places the frame of the record sequence audit on the "Date Time" page. Its widgets bring
    // their own explanations in the property "helpText".
    void setAuditFrame(QWidget* frame);

    static const char* const helpProperty;
    static const QString firstHelpText;

    // The boxes as they stand, for the save.
    OptionsEntry entry() const;
    QString helpText() const;
    // What the last save ended in; empty until one ran.
    std::optional<OptionsSave::Outcome> lastOutcome() const { return m_lastOutcome; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    QWidget* buildGeneralPage();
    QWidget* buildTranslationsPage();
    QWidget* buildWorkHoursPage();
    QGroupBox* buildWorkHoursFrame(const QString& title, const char* show, const char* reject,
                                   const char* message, const char* limit, const QString& limitCaption,
                                   const QString& help);
    QCheckBox* addCheck(const char* name, const QString& caption, const QString& help);
    QLineEdit* addBox(const char* name, const QString& help, int width = 0);
    void setHelp(QWidget* widget, const QString& text);
    void watchHelp(QWidget* widget);

    void fill();
    void chooseSource(int index);
    void saveAll();

    ProgramState& m_state;
    ProgramExit& m_exit;
    SourceChoice m_source;
    bool m_showKeyboardAtOpen = false;
    std::optional<OptionsSave::Outcome> m_lastOutcome;

    QTabWidget* m_tabs = nullptr;
    QLabel* m_help = nullptr;
    QHash<QString, QCheckBox*> m_checks;
    QHash<QString, QLineEdit*> m_boxes;
    QRadioButton* m_24Hour = nullptr;
    QRadioButton* m_12Hour = nullptr;
    QButtonGroup* m_sources = nullptr;
    QList<QGroupBox*> m_workHourFrames;
    QLabel* m_noDatabase = nullptr;
    PasswordPage* m_passwordPage = nullptr;
    CameraPage* m_cameraPage = nullptr;
    DateTimePage* m_dateTimePage = nullptr;
    StationsPage* m_stationsPage = nullptr;
};
