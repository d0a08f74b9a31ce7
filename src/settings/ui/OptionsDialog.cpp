#include "settings/ui/OptionsDialog.h"

#include "platform/MessageBoxes.h"
#include "platform/ui/SelectNewPath.h"
#include "settings/ProgramState.h"
#include "settings/ui/CameraPage.h"
#include "settings/ui/DateTimePage.h"
#include "settings/ui/PasswordPage.h"
#include "settings/ui/StationsPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>
#include <utility>

namespace {
using Flag = bool SettingsRecord::*;
using Text = QString OptionsEntry::*;

// Every check box and the flag of the settings record it shows.
const std::array<std::pair<const char*, Flag>, 19> checkFlags{{
    {"chkTakePictures", &SettingsRecord::takePictures},
    {"chkUseSound", &SettingsRecord::useSound},
    {"chkReportTips", &SettingsRecord::reportTips},
    {"chkShowClockFirst", &SettingsRecord::showClockFirst},
    {"chkShowKeyboard", &SettingsRecord::showKeyboard},
    {"chkAllowMinimize", &SettingsRecord::allowMinimize},
    {"chkShowLiveCam", &SettingsRecord::showLiveCam},
    {"chkShowInOutLists", &SettingsRecord::showInOutLists},
    {"chkShowElapsedTime", &SettingsRecord::showElapsedTime},
    {"chkForceClockOuts", &SettingsRecord::forceClockOuts},
    {"chkAutoDeduct", &SettingsRecord::autoDeduct},
    {"chkEarlyInShow", &SettingsRecord::earlyInShow},
    {"chkEarlyInReject", &SettingsRecord::earlyInReject},
    {"chkLateOutShow", &SettingsRecord::lateOutShow},
    {"chkLateOutReject", &SettingsRecord::lateOutReject},
    {"chkLateInShow", &SettingsRecord::lateInShow},
    {"chkLateInReject", &SettingsRecord::lateInReject},
    {"chkEarlyOutShow", &SettingsRecord::earlyOutShow},
    {"chkEarlyOutReject", &SettingsRecord::earlyOutReject},
}};

// Every text box and the entry field it holds.
const std::array<std::pair<const char*, Text>, 24> boxTexts{{
    {"txtPictureDays", &OptionsEntry::pictureDays},
    {"txtScreenInOutDays", &OptionsEntry::screenInOutDays},
    {"txtKeepInSeconds", &OptionsEntry::keepInSeconds},
    {"txtKeepOutSeconds", &OptionsEntry::keepOutSeconds},
    {"txtForceAfter", &OptionsEntry::forceAfter},
    {"txtMinutesToDeduct", &OptionsEntry::minutesToDeduct},
    {"txtMinBeforeDed", &OptionsEntry::minBeforeDedHours},
    {"txtEarlyMessage", &OptionsEntry::earlyMessage},
    {"txtLateMessage", &OptionsEntry::lateMessage},
    {"txtLateInMessage", &OptionsEntry::lateInMessage},
    {"txtEarlyOutMessage", &OptionsEntry::earlyOutMessage},
    {"txtEarlyLimit", &OptionsEntry::earlyLimit},
    {"txtLateLimit", &OptionsEntry::lateLimit},
    {"txtLateInLimit", &OptionsEntry::lateInLimit},
    {"txtEarlyOutLimit", &OptionsEntry::earlyOutLimit},
    {"txtRejected", &OptionsEntry::rejected},
    {"txtClockingIN", &OptionsEntry::clockingIn},
    {"txtClockingOUT", &OptionsEntry::clockingOut},
    {"txtTipsWord", &OptionsEntry::tipsWord},
    {"txtEnterID", &OptionsEntry::enterId},
    {"txtTryAgain", &OptionsEntry::tryAgain},
    {"txtNotFound", &OptionsEntry::notFound},
    {"txtGoodMorning", &OptionsEntry::goodMorning},
    {"txtGoodNight", &OptionsEntry::goodNight},
}};
} // namespace

const char* const OptionsDialog::helpProperty = "helpText";
const QString OptionsDialog::firstHelpText =
    QStringLiteral("You can use the Scheduling database (RTM.MDB) to verify the employee and their scheduled "
                   "start and stop times. ");

OptionsDialog::OptionsDialog(ProgramState& state, ProgramExit& exit, SystemClockSetter& clockSetter,
                             QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_exit(exit)
    , m_source(OptionsForm::sourceOf(state.useSchedulingLink, state.useLocalStaff))
{
    setWindowTitle(QStringLiteral("Options"));
    // Every box of the dialog shows where the typing goes.
    setStyleSheet(QStringLiteral("QLineEdit { background: rgb(255,255,255); }"
                                 "QLineEdit:focus { background: rgb(255,255,0); }"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabOptions"));
    m_passwordPage = new PasswordPage(state, this);
    m_cameraPage = new CameraPage(state, this);
    m_dateTimePage = new DateTimePage(state, clockSetter, this);
    m_tabs->addTab(buildGeneralPage(), QStringLiteral("General"));
    m_tabs->addTab(m_cameraPage, QStringLiteral("Camera"));
    m_tabs->addTab(m_passwordPage, QStringLiteral("Password"));
    m_tabs->addTab(buildTranslationsPage(), QStringLiteral("Translations"));
    m_tabs->addTab(m_dateTimePage, QStringLiteral("Date Time"));
    m_tabs->addTab(buildWorkHoursPage(), QStringLiteral("Work hours"));
    m_stationsPage = new StationsPage(state, this);
    m_tabs->addTab(m_stationsPage, QStringLiteral("Stations"));
    layout->addWidget(m_tabs, 1);

    m_help = new QLabel(firstHelpText, this);
    m_help->setObjectName(QStringLiteral("lblHelp"));
    m_help->setWordWrap(true);
    m_help->setFrameShape(QFrame::StyledPanel);
    m_help->setMinimumHeight(56);
    m_help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_help->setStyleSheet(QStringLiteral("QLabel { background: rgb(255,255,225); padding: 4px; }"));
    layout->addWidget(m_help);

    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("&Save all settings"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    // Enter in a box must not save the whole dialog.
    save->setAutoDefault(false);
    cancel->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &OptionsDialog::saveAll);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    for (QWidget* page : {static_cast<QWidget*>(m_passwordPage), static_cast<QWidget*>(m_cameraPage),
                          static_cast<QWidget*>(m_dateTimePage)})
        watchHelp(page);
    fill();
    // Room for the audit's list on the "Date Time" page.
    resize(sizeHint().width(), qMax(sizeHint().height(), 640));
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::setHelp(QWidget* widget, const QString& text)
{
    widget->setProperty(helpProperty, text);
    widget->installEventFilter(this);
}

void OptionsDialog::watchHelp(QWidget* widget)
{
    QList<QWidget*> widgets = widget->findChildren<QWidget*>();
    widgets.prepend(widget);
    for (QWidget* w : std::as_const(widgets)) {
        if (w->property(helpProperty).isValid())
            w->installEventFilter(this);
    }
}

void OptionsDialog::setAuditFrame(QWidget* frame)
{
    m_dateTimePage->setAuditFrame(frame);
    watchHelp(frame);
}

QString OptionsDialog::helpText() const
{
    return m_help->text();
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter) {
        const QVariant text = watched->property(helpProperty);
        if (text.isValid())
            m_help->setText(text.toString());
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsDialog::fill()
{
    const SettingsRecord& s = m_state.settings;
    const OptionsEntry e = OptionsForm::fromSettings(s);
    for (const auto& [name, flag] : checkFlags)
        m_checks.value(QString::fromLatin1(name))->setChecked(s.*flag);
    for (const auto& [name, text] : boxTexts)
        m_boxes.value(QString::fromLatin1(name))->setText(e.*text);
    (s.clock12Hour ? m_12Hour : m_24Hour)->setChecked(true);
    m_sources->button(static_cast<int>(m_source.selected()))->setChecked(true);
    m_showKeyboardAtOpen = s.showKeyboard;

    const bool employeeDatabase = m_state.useSchedulingLink;
    for (QGroupBox* frame : std::as_const(m_workHourFrames))
        frame->setEnabled(employeeDatabase);
    m_noDatabase->setVisible(!employeeDatabase);
}

OptionsEntry OptionsDialog::entry() const
{
    OptionsEntry e;
    e.flags = m_state.settings;
    for (const auto& [name, flag] : checkFlags)
        e.flags.*flag = m_checks.value(QString::fromLatin1(name))->isChecked();
    e.flags.clock12Hour = m_12Hour->isChecked();
    for (const auto& [name, text] : boxTexts)
        e.*text = m_boxes.value(QString::fromLatin1(name))->text();
    return e;
}

void OptionsDialog::chooseSource(int index)
{
    const EmployeeSource selected =
        m_source.choose(static_cast<EmployeeSource>(index), m_state, this,
                        [this] { return selectNewPath(this, m_state.paths.programFolder()); });
    m_sources->button(static_cast<int>(selected))->setChecked(true);
}

void OptionsDialog::saveAll()
{
    if (const QString problem = m_stationsPage->problem(); !problem.isEmpty()) {
        m_tabs->setCurrentWidget(m_stationsPage);
        m_state.messages.inform(this, problem, QStringLiteral("Options"), MessageBoxes::Icon::Warning);
        return;
    }
    m_lastOutcome = OptionsSave::run(m_state, entry(), m_source, m_showKeyboardAtOpen, m_exit, this);
    if (*m_lastOutcome != OptionsSave::Outcome::Refused) {
        m_stationsPage->save();
        accept();
    }
}

void OptionsDialog::done(int result)
{
    // The test picture must not keep the camera busy once the dialog is gone.
    m_cameraPage->stopCamera();
    QDialog::done(result);
}
