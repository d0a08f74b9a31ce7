#include "settings/ui/WorkHoursPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int numberWidth = 44;
} // namespace

WorkHoursPage::WorkHoursPage(bool employeeDatabase, QWidget* parent)
    : OptionsPage(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const char* than = "Show if more than";
    const char* then = "Show if more then";
    // The message fields of the late clock in and the early clock out hold no more than 100 characters.
    const Frame frames[] = {
        {"Early clock in ", "chkEarlyInShow", "EarlyInShow", "chkEarlyInReject", "EarlyInReject",
         "txtEarlyMessage", "EarlyMessage", "txtEarlyLimit", "EarlyLimit", than,
         "An employee who clocks in more minutes than this before the scheduled start sees the message; "
         "with Reject the clock in is refused.",
         0},
        {"Late clock out ", "chkLateOutShow", "LateOutShow", "chkLateOutReject", "LateOutReject",
         "txtLateMessage", "LateMessage", "txtLateLimit", "LateLimit", than,
         "An employee who clocks out more minutes than this after the scheduled stop sees the message; "
         "with Reject the clock out is refused.",
         0},
        {"Late clock in  ", "chkLateInShow", "LateInShow", "chkLateInReject", "LateInReject",
         "txtLateInMessage", "LateINmessage", "txtLateInLimit", "LateINlimit", then,
         "An employee who clocks in more minutes than this after the scheduled start sees the message; "
         "with Reject the clock in is refused.",
         100},
        {"Early clock out  ", "chkEarlyOutShow", "EarlyOutShow", "chkEarlyOutReject", "EarlyOutReject",
         "txtEarlyOutMessage", "EarlyOUTmessage", "txtEarlyOutLimit", "EarlyOUTlimit", then,
         "An employee who clocks out more minutes than this before the scheduled stop sees the message; "
         "with Reject the clock out is refused.",
         100},
    };
    for (int i = 0; i < 4; ++i) {
        QGroupBox* frame = buildFrame(frames[i]);
        frame->setEnabled(employeeDatabase);
        grid->addWidget(frame, i / 2, i % 2);
    }
    layout->addLayout(grid);
    QGroupBox* late = buildLateFrame();
    late->setEnabled(employeeDatabase);
    layout->addWidget(late);
    auto* noDatabase = new QLabel(QStringLiteral("Feature not available without using a database"), this);
    noDatabase->setObjectName(QStringLiteral("lblNoDatabase"));
    noDatabase->setStyleSheet(QStringLiteral("color: rgb(192,0,0); font-weight: bold;"));
    noDatabase->setVisible(!employeeDatabase);
    layout->addWidget(noDatabase);
    layout->addWidget(buildExceptionsFrame());
    layout->addStretch(1);
}

QGroupBox* WorkHoursPage::buildExceptionsFrame()
{
    const QString longHelp = QStringLiteral(
        "The Exceptions list shows a shift longer than this, as H:MM, from 0:30 to 72:00: it is often a "
        "forgotten clock-out that a later punch closed.");
    const QString repeatHelp = QStringLiteral(
        "The Exceptions list shows a punch that follows the employee's punch before it within this many "
        "seconds (0 to 3600; 0 shows none): a badge read twice or a second press by mistake.");
    auto* frame = new QGroupBox(QStringLiteral("Exceptions list "), this);
    auto* grid = new QGridLayout(frame);
    const auto line = [&](int row, const QString& before, QLineEdit* box, const QString& after,
                          const QString& help) {
        const QList<QWidget*> widgets = {new QLabel(before, frame), box, new QLabel(after, frame)};
        for (int column = 0; column < widgets.size(); ++column) {
            setHelp(widgets[column], help);
            grid->addWidget(widgets[column], row, column);
        }
    };
    line(0, QStringLiteral("Show shifts longer than"),
         addBox("txtLongShift", "exceptions.long_shift", longHelp, 56), QStringLiteral("hours"), longHelp);
    line(1, QStringLiteral("Show punches repeated within"),
         addBox("txtQuickRepeat", "exceptions.quick_repeat_seconds", repeatHelp, 56),
         QStringLiteral("seconds"), repeatHelp);
    grid->setColumnStretch(3, 1);
    return frame;
}

QGroupBox* WorkHoursPage::buildLateFrame()
{
    const QString help = QStringLiteral(
        "An employee whose schedule for today started more than this many minutes ago and who has not "
        "clocked in today is listed as expected, not in, in Who is In and Out and counted on the "
        "opening window's status line.");
    auto* frame = new QGroupBox(QStringLiteral("Who is late "), this);
    setHelp(frame, help);
    auto* grid = new QGridLayout(frame);
    auto* after = new QLabel(QStringLiteral("Late after"), frame);
    setHelp(after, help);
    grid->addWidget(after, 0, 0);
    grid->addWidget(addBox("txtLateAfter", "late.after_minutes", help, numberWidth), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("minutes without a clock in"), frame), 0, 2);
    grid->addWidget(
        addCheck("chkLateNotify", "late.notify", QStringLiteral("Tell the desktop who is late"),
                 QStringLiteral("A desktop notification names each late employee once a day, "
                                "while this program runs on a desktop that shows notifications.")),
        1, 0, 1, 3);
    grid->setColumnStretch(3, 1);
    return frame;
}

QGroupBox* WorkHoursPage::buildFrame(const Frame& f)
{
    const QString help = QString::fromLatin1(f.help);
    auto* frame = new QGroupBox(QString::fromLatin1(f.title), this);
    setHelp(frame, help);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(addCheck(f.show, f.showKey, QStringLiteral("Show message"), help), 0, 0);
    grid->addWidget(addCheck(f.reject, f.rejectKey, QStringLiteral("Reject"), help), 0, 1);
    QLineEdit* text = addBox(f.message, f.messageKey, help);
    if (f.messageLength > 0)
        text->setMaxLength(f.messageLength);
    grid->addWidget(text, 1, 0, 1, 4);
    auto* more = new QLabel(QString::fromLatin1(f.limitCaption), frame);
    setHelp(more, help);
    grid->addWidget(more, 2, 0);
    grid->addWidget(addBox(f.limit, f.limitKey, help, numberWidth), 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("minutes"), frame), 2, 2);
    grid->setColumnStretch(3, 1);
    return frame;
}
