// The pages of the options dialog made of plain boxes: "General", "Translations" and "Work hours".
#include "settings/ui/OptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int numberWidth = 44;

QLabel* caption(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}
} // namespace

QCheckBox* OptionsDialog::addCheck(const char* name, const QString& text, const QString& help)
{
    auto* box = new QCheckBox(text, this);
    box->setObjectName(QString::fromLatin1(name));
    setHelp(box, help);
    m_checks.insert(box->objectName(), box);
    return box;
}

QLineEdit* OptionsDialog::addBox(const char* name, const QString& help, int width)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    if (width > 0)
        box->setFixedWidth(width);
    setHelp(box, help);
    m_boxes.insert(box->objectName(), box);
    return box;
}

QWidget* OptionsDialog::buildGeneralPage()
{
    auto* page = new QWidget(this);
    auto* columns = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    const auto row = [&](QVBoxLayout* column, std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        for (QWidget* w : widgets)
            line->addWidget(w);
        line->addStretch(1);
        column->addLayout(line);
    };

    const QString picturesHelp =
        QStringLiteral("Pictures of clock ins and outs older than this number of days are deleted when the "
                       "program ends.");
    auto* keepFor = caption(QStringLiteral("Keep pictures for"), page);
    setHelp(keepFor, picturesHelp);
    row(left, {keepFor, addBox("txtPictureDays", picturesHelp, numberWidth),
               caption(QStringLiteral("days"), page)});
    left->addWidget(
        addCheck("chkTakePictures", QStringLiteral("Take pictures"),
                 QStringLiteral("A camera picture is taken of every employee who clocks in or out. "
                                "The picture is stamped with the name, the date and the time.")));
    left->addWidget(
        addCheck("chkUseSound", QStringLiteral("Use sound"),
                 QStringLiteral("A sound is played for every clock in, clock out and unknown ID.")));
    left->addWidget(addCheck("chkReportTips", QStringLiteral("Report tips when clocking out"),
                             QStringLiteral("Employees type in their tips when they clock out. The tips are "
                                            "totalled in the reports.")));
    left->addWidget(
        addCheck("chkShowClockFirst", QStringLiteral("Go directly to the Clock screen on startup"),
                 QStringLiteral("The program opens straight on the Clock screen, without asking for "
                                "the password first.")));
    left->addWidget(addCheck("chkShowKeyboard", QStringLiteral("Show keyboard on the Clock screen"),
                             QStringLiteral("An on-screen keypad is shown for touch screens. A change takes "
                                            "effect after the program is started again.")));
    left->addWidget(
        addCheck("chkAllowMinimize", QStringLiteral("Allow the Clock screen to be minimized"),
                 QStringLiteral("The Clock screen gets a button to minimize it, so other programs "
                                "can be used on this computer.")));
    left->addWidget(
        addCheck("chkShowLiveCam", QStringLiteral("Show live cam on Clock screen"),
                 QStringLiteral("This option will show the current cam picture on the Clock screen.")));
    const QString listsHelp =
        QStringLiteral("The Clock screen lists who is clocked in and who is clocked out, judged by each "
                       "employee's latest clock record of this number of days.");
    row(left,
        {addCheck("chkShowInOutLists",
                  QStringLiteral("Show Who is IN and Who is OUT on Clock screen     Show last"), listsHelp),
         addBox("txtScreenInOutDays", listsHelp, numberWidth), caption(QStringLiteral("Days"), page)});
    left->addWidget(addCheck("chkShowElapsedTime", QStringLiteral("Show elapsed time on Clocking out"),
                             QStringLiteral("On a clock out the Clock screen shows for a moment how long the "
                                            "employee has been clocked in.")));

    const QString formatHelp =
        QStringLiteral("The 12 hour format would read 11am and 11pm, the 24 hour format would read 23.00");
    auto* format = new QGroupBox(QStringLiteral("Clock format  "), page);
    setHelp(format, formatHelp);
    auto* formatLayout = new QHBoxLayout(format);
    m_24Hour = new QRadioButton(QStringLiteral("24 Hour clock"), format);
    m_24Hour->setObjectName(QStringLiteral("opt24Hour"));
    m_12Hour = new QRadioButton(QStringLiteral("12 Hour clock"), format);
    m_12Hour->setObjectName(QStringLiteral("opt12Hour"));
    setHelp(m_24Hour, formatHelp);
    setHelp(m_12Hour, formatHelp);
    formatLayout->addWidget(m_24Hour);
    formatLayout->addWidget(m_12Hour);
    formatLayout->addStretch(1);
    left->addWidget(format);
    left->addStretch(1);

    const QString confirmHelp = QStringLiteral(
        "How many seconds, from 0 to 10, the name and the message stay on the Clock screen after "
        "a clock in or a clock out.");
    auto* confirmation = new QGroupBox(QStringLiteral("Show conformation screen for "), page);
    setHelp(confirmation, confirmHelp);
    auto* confirmationLayout = new QGridLayout(confirmation);
    confirmationLayout->addWidget(caption(QStringLiteral("Clock IN"), confirmation), 0, 0);
    confirmationLayout->addWidget(addBox("txtKeepInSeconds", confirmHelp, numberWidth), 0, 1);
    confirmationLayout->addWidget(caption(QStringLiteral("Seconds"), confirmation), 0, 2);
    confirmationLayout->addWidget(caption(QStringLiteral("Clock OUT"), confirmation), 1, 0);
    confirmationLayout->addWidget(addBox("txtKeepOutSeconds", confirmHelp, numberWidth), 1, 1);
    confirmationLayout->addWidget(caption(QStringLiteral("Seconds"), confirmation), 1, 2);
    confirmationLayout->setColumnStretch(3, 1);
    right->addWidget(confirmation);

    const QString forceHelp =
        QStringLiteral("Employees still clocked in this many hours after their clock in are clocked out "
                       "automatically, once an hour while the Clock screen is shown.");
    auto* forceCaption = caption(QStringLiteral("hour(s) worked (.5 to 23)"), page);
    setHelp(forceCaption, forceHelp);
    row(right, {addCheck("chkForceClockOuts", QStringLiteral("Force auto clock OUTs"), forceHelp),
                addBox("txtForceAfter", forceHelp, numberWidth), forceCaption});

    const QString deductHelp = QStringLiteral(
        "Reports subtract a break of this many minutes from every shift that is longer than the "
        "number of hours given.");
    auto* every = caption(QStringLiteral("minutes from report for every "), page);
    auto* after = caption(QStringLiteral("after"), page);
    auto* hours = caption(QStringLiteral("hours ( .5 to 23)"), page);
    for (QLabel* label : {every, after, hours})
        setHelp(label, deductHelp);
    row(right, {addCheck("chkAutoDeduct", QStringLiteral("Auto subtract "), deductHelp),
                addBox("txtMinutesToDeduct", deductHelp, numberWidth), every});
    row(right, {after, addBox("txtMinBeforeDed", deductHelp, numberWidth), hours});

    auto* database = new QGroupBox(QStringLiteral("Database "), page);
    setHelp(database, firstHelpText);
    auto* databaseLayout = new QVBoxLayout(database);
    m_sources = new QButtonGroup(this);
    const QString sourceHelp[] = {
        QStringLiteral("Any ID typed on the Clock screen is accepted. No schedules are checked."),
        QStringLiteral("Only the employees entered in this program can clock in and out, and their weekly "
                       "schedules are checked. A change takes effect after the program is started again."),
        firstHelpText,
    };
    const QString sourceCaptions[] = {QStringLiteral("Use no employee database"),
                                      QStringLiteral("Use employees entered in this program"),
                                      QStringLiteral("Use the \"Rostermill\" database")};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(sourceCaptions[i], database);
        option->setObjectName(QStringLiteral("optDatabase%1").arg(i));
        setHelp(option, sourceHelp[i]);
        m_sources->addButton(option, i);
        databaseLayout->addWidget(option);
    }
    // A click, not a programmatic check, is a choice: a refused choice puts the old one back.
    connect(m_sources, &QButtonGroup::idClicked, this, &OptionsDialog::chooseSource);
    right->addWidget(database);
    right->addStretch(1);
    return page;
}

QWidget* OptionsDialog::buildTranslationsPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    const QString translationsHelp =
        QStringLiteral("You can translate common phrases to employees in their local langauge.");
    auto* local = new QGroupBox(QStringLiteral("Local translation for "), page);
    setHelp(local, translationsHelp);
    auto* grid = new QGridLayout(local);
    const std::pair<const char*, const char*> phrases[] = {
        {"txtRejected", "Rejected"},  {"txtClockingIN", "Clocking IN"}, {"txtClockingOUT", "Clocking OUT"},
        {"txtTipsWord", "Tips"},      {"txtEnterID", "Enter ID"},       {"txtTryAgain", "try again"},
        {"txtNotFound", "not found"},
    };
    int line = 0;
    for (const auto& [name, text] : phrases) {
        auto* label = caption(QString::fromLatin1(text), local);
        setHelp(label, translationsHelp);
        grid->addWidget(label, line, 0);
        QLineEdit* box = addBox(name, translationsHelp, 220);
        if (QLatin1String(name) == QLatin1String("txtRejected"))
            box->setMaxLength(12); // the field holds no more
        grid->addWidget(box, line, 1);
        ++line;
    }
    grid->setColumnStretch(2, 1);
    layout->addWidget(local);

    const QString messagesHelp =
        QStringLiteral("An optional greeting shown to every employee who clocks in or out, for example "
                       "\"Good morning\" and \"Have a good evening\". Leave it empty to show none.");
    auto* optional = new QGroupBox(QStringLiteral("Optional messages "), page);
    setHelp(optional, messagesHelp);
    auto* messages = new QGridLayout(optional);
    messages->addWidget(caption(QStringLiteral("Clock in message"), optional), 0, 0);
    messages->addWidget(addBox("txtGoodMorning", messagesHelp), 0, 1);
    messages->addWidget(caption(QStringLiteral("Clock out message"), optional), 1, 0);
    messages->addWidget(addBox("txtGoodNight", messagesHelp), 1, 1);
    layout->addWidget(optional);
    layout->addStretch(1);
    return page;
}

QGroupBox* OptionsDialog::buildWorkHoursFrame(const QString& title, const char* show, const char* reject,
                                              const char* message, const char* limit,
                                              const QString& limitCaption, const QString& help)
{
    auto* frame = new QGroupBox(title, this);
    setHelp(frame, help);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(addCheck(show, QStringLiteral("Show message"), help), 0, 0);
    grid->addWidget(addCheck(reject, QStringLiteral("Reject"), help), 0, 1);
    QLineEdit* text = addBox(message, help);
    if (QByteArrayView(message) == "txtLateInMessage" || QByteArrayView(message) == "txtEarlyOutMessage")
        text->setMaxLength(100); // the fields hold no more
    grid->addWidget(text, 1, 0, 1, 4);
    auto* more = caption(limitCaption, frame);
    setHelp(more, help);
    grid->addWidget(more, 2, 0);
    grid->addWidget(addBox(limit, help, numberWidth), 2, 1);
    grid->addWidget(caption(QStringLiteral("minutes"), frame), 2, 2);
    grid->setColumnStretch(3, 1);
    m_workHourFrames.append(frame);
    return frame;
}

QWidget* OptionsDialog::buildWorkHoursPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    const QString than = QStringLiteral("Show if more than");
    const QString then = QStringLiteral("Show if more then");
    grid->addWidget(
        buildWorkHoursFrame(QStringLiteral("Early clock in "), "chkEarlyInShow", "chkEarlyInReject",
                            "txtEarlyMessage", "txtEarlyLimit", than,
                            QStringLiteral("An employee who clocks in more minutes than this before "
                                           "the scheduled start sees the message; with Reject the "
                                           "clock in is refused.")),
        0, 0);
    grid->addWidget(
        buildWorkHoursFrame(QStringLiteral("Late clock out "), "chkLateOutShow", "chkLateOutReject",
                            "txtLateMessage", "txtLateLimit", than,
                            QStringLiteral("An employee who clocks out more minutes than this after "
                                           "the scheduled stop sees the message; with Reject the "
                                           "clock out is refused.")),
        0, 1);
    grid->addWidget(
        buildWorkHoursFrame(QStringLiteral("Late clock in  "), "chkLateInShow", "chkLateInReject",
                            "txtLateInMessage", "txtLateInLimit", then,
                            QStringLiteral("An employee who clocks in more minutes than this after "
                                           "the scheduled start sees the message; with Reject the "
                                           "clock in is refused.")),
        1, 0);
    grid->addWidget(
        buildWorkHoursFrame(QStringLiteral("Early clock out  "), "chkEarlyOutShow", "chkEarlyOutReject",
                            "txtEarlyOutMessage", "txtEarlyOutLimit", then,
                            QStringLiteral("An employee who clocks out more minutes than this before "
                                           "the scheduled stop sees the message; with Reject the "
                                           "clock out is refused.")),
        1, 1);
    layout->addLayout(grid);
    m_noDatabase = new QLabel(QStringLiteral("Feature not available without using a database"), page);
    m_noDatabase->setObjectName(QStringLiteral("lblNoDatabase"));
    m_noDatabase->setStyleSheet(QStringLiteral("color: rgb(192,0,0); font-weight: bold;"));
    layout->addWidget(m_noDatabase);
    layout->addStretch(1);
    return page;
}
