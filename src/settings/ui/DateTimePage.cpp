#include "settings/ui/DateTimePage.h"

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "platform/ui/DatePicker.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "settings/SystemClockSetter.h"
#include "settings/TimeText.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString title = QStringLiteral("Sytem date and time ");
const QString help = QStringLiteral("Sets the date and the time of this computer's clock. The system may ask "
                                    "for the password of an administrator first.");
} // namespace

DateTimePage::DateTimePage(const Services& services, Session& session, SystemClockSetter& clockSetter,
                           QWidget* parent)
    : OptionsPage(parent)
    , m_services(services)
    , m_session(session)
    , m_clockSetter(clockSetter)
{
    m_layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(title, this);
    frame->setProperty("helpText", help);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Enter new system date "), frame), 0, 0);
    m_date = new QPushButton(QStringLiteral("Click here to enter new date"), frame);
    m_date->setObjectName(QStringLiteral("cmdNewDate"));
    m_date->setAutoDefault(false);
    m_date->setProperty("helpText", help);
    grid->addWidget(m_date, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Enter new system time, use hh:mm:ss "), frame), 1, 0);
    m_time = new QLineEdit(m_services.time.now().time().toString(QStringLiteral("HH:mm:ss")), frame);
    m_time->setObjectName(QStringLiteral("txtNewTime"));
    m_time->setFixedWidth(90);
    m_time->setProperty("helpText", help);
    grid->addWidget(m_time, 1, 1, Qt::AlignLeft);
    auto* set = new QPushButton(QStringLiteral("Save system date and time"), frame);
    set->setObjectName(QStringLiteral("cmdSetDateTime"));
    set->setAutoDefault(false);
    set->setProperty("helpText", help);
    grid->addWidget(set, 2, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    m_layout->addWidget(frame);
    m_layout->addStretch(1);
    connect(m_date, &QPushButton::clicked, this, &DateTimePage::pickDate);
    connect(set, &QPushButton::clicked, this, &DateTimePage::setDateAndTime);
    showDate(m_services.time.today());
}

void DateTimePage::setAuditFrame(QWidget* frame)
{
    // The audit's list takes the room the stretch kept below the date-and-time frame.
    delete m_layout->takeAt(m_layout->count() - 1);
    frame->setParent(this);
    m_layout->addWidget(frame, 1);
}

void DateTimePage::showDate(const QDate& date)
{
    m_date->setText(locale().toString(date, QLocale::LongFormat));
}

void DateTimePage::pickDate()
{
    const std::optional<QDate> day = ::pickDate(m_services.time, this);
    if (!day)
        return;
    m_chosen = *day;
    showDate(m_chosen);
}

void DateTimePage::setDateAndTime()
{
    const std::optional<QString> time = TimeText::format(m_time->text());
    if (!time) {
        m_services.messages.inform(this, TimeText::formatError, title, MessageBoxes::Icon::Information);
        m_time->setFocus();
        return;
    }
    m_time->setText(*time);
    // The date goes to the system as the system writes dates.
    const QDate wanted = m_chosen.isValid() ? m_chosen : m_services.time.today();
    const QDate date =
        TimeText::dateOf(TimeText::dateText(wanted, m_session.dateOrder()), m_session.dateOrder());
    const QDateTime moment(date, TimeText::timeOf(*time));
    QPointer<DateTimePage> page(this);
    m_clockSetter.setTime(moment, [page, date](const SystemClockSetter::Result& result) {
        if (!page)
            return;
        if (!result.done) {
            page->m_services.messages.inform(page, result.problem, title, MessageBoxes::Icon::Warning);
            return;
        }
        page->showDate(date);
    });
}
