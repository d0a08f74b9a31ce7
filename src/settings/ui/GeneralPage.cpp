#include "settings/ui/GeneralPage.h"

#include "platform/ui/SelectNewPath.h"
#include "settings/Services.h"
#include "settings/Session.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int numberWidth = 44;
} // namespace

GeneralPage::GeneralPage(const Services& services, Session& session, EmployeeSource source, QWidget* parent)
    : OptionsPage(parent)
    , m_services(services)
    , m_session(session)
    , m_source(source)
{
    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    const auto caption = [this](const QString& text, QWidget* owner = nullptr) {
        return new QLabel(text, owner ? owner : this);
    };
    const auto row = [](QVBoxLayout* column, std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        for (QWidget* w : widgets)
            line->addWidget(w);
        line->addStretch(1);
        column->addLayout(line);
    };

    const QString picturesHelp =
        QStringLiteral("Pictures of clock ins and outs older than this number of days are deleted when the "
                       "program ends.");
    auto* keepFor = caption(QStringLiteral("Keep pictures for"));
    setHelp(keepFor, picturesHelp);
    row(left, {keepFor, addBox("txtPictureDays", "PictureDays", picturesHelp, numberWidth),
               caption(QStringLiteral("days"))});
    left->addWidget(
        addCheck("chkTakePictures", "TakePictures", QStringLiteral("Take pictures"),
                 QStringLiteral("A camera picture is taken of every employee who clocks in or out. "
                                "The picture is stamped with the name, the date and the time.")));
    left->addWidget(
        addCheck("chkUseSound", "UseSound", QStringLiteral("Use sound"),
                 QStringLiteral("A sound is played for every clock in, clock out and unknown ID.")));
    left->addWidget(addCheck("chkReportTips", "ReportTips", QStringLiteral("Report tips when clocking out"),
                             QStringLiteral("Employees type in their tips when they clock out. The tips are "
                                            "totalled in the reports.")));
    left->addWidget(addCheck(
        "chkShowClockFirst", "ShowClockFirst", QStringLiteral("Go directly to the Clock screen on startup"),
        QStringLiteral("The program opens straight on the Clock screen, without asking for "
                       "the password first.")));
    left->addWidget(addCheck("chkShowKeyboard", "ShowKeyboard",
                             QStringLiteral("Show keyboard on the Clock screen"),
                             QStringLiteral("An on-screen keypad is shown for touch screens. A change takes "
                                            "effect after the program is started again.")));
    left->addWidget(addCheck(
        "chkAllowMinimize", "AllowMinimize", QStringLiteral("Allow the Clock screen to be minimized"),
        QStringLiteral("The Clock screen gets a button to minimize it, so other programs "
                       "can be used on this computer.")));
    left->addWidget(
        addCheck("chkShowLiveCam", "ShowLiveCam", QStringLiteral("Show live cam on Clock screen"),
                 QStringLiteral("This option will show the current cam picture on the Clock screen.")));
    const QString listsHelp =
        QStringLiteral("The Clock screen lists who is clocked in and who is clocked out, judged by each "
                       "employee's latest clock record of this number of days.");
    row(left,
        {addCheck("chkShowInOutLists", "ShowInOutLists",
                  QStringLiteral("Show Who is IN and Who is OUT on Clock screen     Show last"), listsHelp),
         addBox("txtScreenInOutDays", "ScreenInOutDays", listsHelp, numberWidth),
         caption(QStringLiteral("Days"))});
    left->addWidget(addCheck("chkShowElapsedTime", "ShowElapsedTime",
                             QStringLiteral("Show elapsed time on Clocking out"),
                             QStringLiteral("On a clock out the Clock screen shows for a moment how long the "
                                            "employee has been clocked in.")));

    const QString formatHelp =
        QStringLiteral("The 12 hour format would read 11am and 11pm, the 24 hour format would read 23.00");
    auto* format = new QGroupBox(QStringLiteral("Clock format  "), this);
    setHelp(format, formatHelp);
    auto* formatLayout = new QHBoxLayout(format);
    auto* hours24 = new QRadioButton(QStringLiteral("24 Hour clock"), format);
    hours24->setObjectName(QStringLiteral("opt24Hour"));
    auto* hours12 = new QRadioButton(QStringLiteral("12 Hour clock"), format);
    hours12->setObjectName(QStringLiteral("opt12Hour"));
    setHelp(hours24, formatHelp);
    setHelp(hours12, formatHelp);
    bindFlag(hours12, QStringLiteral("Clock12Hour"), hours24);
    formatLayout->addWidget(hours24);
    formatLayout->addWidget(hours12);
    formatLayout->addStretch(1);
    left->addWidget(format);
    left->addStretch(1);

    const QString confirmHelp = QStringLiteral(
        "How many seconds, from 0 to 10, the name and the message stay on the Clock screen after "
        "a clock in or a clock out.");
    auto* confirmation = new QGroupBox(QStringLiteral("Show conformation screen for "), this);
    setHelp(confirmation, confirmHelp);
    auto* confirmationLayout = new QGridLayout(confirmation);
    confirmationLayout->addWidget(caption(QStringLiteral("Clock IN"), confirmation), 0, 0);
    confirmationLayout->addWidget(addBox("txtKeepInSeconds", "KeepInSeconds", confirmHelp, numberWidth), 0,
                                  1);
    confirmationLayout->addWidget(caption(QStringLiteral("Seconds"), confirmation), 0, 2);
    confirmationLayout->addWidget(caption(QStringLiteral("Clock OUT"), confirmation), 1, 0);
    confirmationLayout->addWidget(addBox("txtKeepOutSeconds", "KeepOutSeconds", confirmHelp, numberWidth), 1,
                                  1);
    confirmationLayout->addWidget(caption(QStringLiteral("Seconds"), confirmation), 1, 2);
    confirmationLayout->setColumnStretch(3, 1);
    right->addWidget(confirmation);

    const QString forceHelp =
        QStringLiteral("Employees still clocked in this many hours after their clock in are clocked out "
                       "automatically, once an hour while the Clock screen is shown.");
    auto* forceCaption = caption(QStringLiteral("hour(s) worked (.5 to 23)"));
    setHelp(forceCaption, forceHelp);
    row(right,
        {addCheck("chkForceClockOuts", "ForceClockOuts", QStringLiteral("Force auto clock OUTs"), forceHelp),
         addBox("txtForceAfter", "ForceAfter", forceHelp, numberWidth), forceCaption});
    const QString placeHelp = QStringLiteral(
        "Where the forced clock-out puts its OUT: one minute after the clock in (a forgotten day is "
        "paid as one minute until you correct it), at the employee's scheduled stop that day, or when "
        "the hours above ran out. A scheduled stop that is not after the clock in, or still ahead, is "
        "not used: the OUT then comes one minute after the clock in.");
    auto* placeCaption = caption(QStringLiteral("Put the forced OUT at"));
    setHelp(placeCaption, placeHelp);
    row(right, {placeCaption, addChoice("cboForcedOutTime", "clock.forced_out_time", placeHelp)});

    const QString deductHelp = QStringLiteral(
        "Reports subtract a break of this many minutes from every shift that is longer than the "
        "number of hours given.");
    auto* every = caption(QStringLiteral("minutes from report for every "));
    auto* after = caption(QStringLiteral("after"));
    auto* hours = caption(QStringLiteral("hours ( .5 to 23)"));
    for (QLabel* label : {every, after, hours})
        setHelp(label, deductHelp);
    row(right, {addCheck("chkAutoDeduct", "AutoDeduct", QStringLiteral("Auto subtract "), deductHelp),
                addBox("txtMinutesToDeduct", "MinutesToDeduct", deductHelp, numberWidth), every});
    row(right, {after, addBox("txtMinBeforeDed", "MinBeforeDed", deductHelp, numberWidth), hours});

    auto* database = new QGroupBox(QStringLiteral("Database "), this);
    setHelp(database, sourceHelp);
    auto* databaseLayout = new QVBoxLayout(database);
    m_sources = new QButtonGroup(this);
    const QString sourceHelps[] = {
        QStringLiteral("Any ID typed on the Clock screen is accepted. No schedules are checked."),
        QStringLiteral("Only the employees entered in this program can clock in and out, and their weekly "
                       "schedules are checked. A change takes effect after the program is started again."),
        sourceHelp,
    };
    const QString sourceCaptions[] = {QStringLiteral("Use no employee database"),
                                      QStringLiteral("Use employees entered in this program"),
                                      QStringLiteral("Use the \"Rostermill\" database")};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(sourceCaptions[i], database);
        option->setObjectName(QStringLiteral("optDatabase%1").arg(i));
        setHelp(option, sourceHelps[i]);
        m_sources->addButton(option, i);
        databaseLayout->addWidget(option);
    }
    m_sources->button(static_cast<int>(m_source.selected()))->setChecked(true);
    // A click, not a programmatic check, is a choice: a refused choice puts the old one back.
    connect(m_sources, &QButtonGroup::idClicked, this, &GeneralPage::chooseSource);
    right->addWidget(database);
    right->addStretch(1);
}

void GeneralPage::chooseSource(int index)
{
    const EmployeeSource selected =
        m_source.choose(static_cast<EmployeeSource>(index), m_services, m_session, this,
                        [this] { return selectNewPath(this, m_session.paths().programFolder()); });
    m_sources->button(static_cast<int>(selected))->setChecked(true);
}
