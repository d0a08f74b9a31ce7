#include "reports/ui/SequenceAuditFrame.h"

#include "platform/MessageBoxes.h"
#include "platform/ui/DatePicker.h"
#include "reports/SequenceAudit.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
const QString firstCaption = QStringLiteral("First date");
const QString lastCaption = QStringLiteral("Last date");
} // namespace

SequenceAuditFrame::SequenceAuditFrame(const Services& services, const Session& session,
                                       SequenceAudit::Period& period, QWidget* parent)
    : QGroupBox(QStringLiteral("Date/Time and record sequence audit  "), parent)
    , m_services(services)
    , m_session(session)
    , m_period(period)
{
    setProperty("helpText", SequenceAudit::frameHelp);
    auto* grid = new QGridLayout(this);
    const auto button = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setMinimumWidth(200);
        b->setProperty("helpText", SequenceAudit::frameHelp);
        return b;
    };
    m_first = button("cmdFirstDay");
    m_last = button("cmdLastDay");
    m_audit = button("cmdAudit");
    m_audit->setText(QStringLiteral("Audit record sequence"));
    grid->addWidget(new QLabel(QStringLiteral("From"), this), 0, 0);
    grid->addWidget(m_first, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("To"), this), 0, 2);
    grid->addWidget(m_last, 0, 3);
    grid->addWidget(m_audit, 0, 4);
    grid->setColumnStretch(5, 1);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstAudit"));
    m_list->setProperty("helpText", SequenceAudit::listHelp);
    // The lines line up by their blanks.
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->setMinimumHeight(160);
    m_list->hide();
    grid->addWidget(m_list, 1, 0, 1, 6);
    grid->setRowStretch(1, 1);
    connect(m_first, &QPushButton::clicked, this, [this] { pickDay(true); });
    connect(m_last, &QPushButton::clicked, this, [this] { pickDay(false); });
    connect(m_audit, &QPushButton::clicked, this, &SequenceAuditFrame::audit);
    showDays();
}

void SequenceAuditFrame::showDays()
{
    const auto show = [this](QPushButton* button, qint32 day, const QString& caption) {
        if (day >= 1) {
            button->setText(locale().toString(DayNumber::toDate(day), QLocale::LongFormat));
            button->setStyleSheet(QStringLiteral("QPushButton { color: rgb(255,0,0); background: white; }"));
        } else {
            button->setText(caption);
            button->setStyleSheet(QString());
        }
    };
    show(m_first, m_period.firstDay, firstCaption);
    show(m_last, m_period.lastDay, lastCaption);
    m_audit->setEnabled(SequenceAudit::canRun({m_period.firstDay, m_period.lastDay}));
}

void SequenceAuditFrame::pickDay(bool first)
{
    const std::optional<QDate> day = pickDate(m_services.time, this);
    if (!day)
        return;
    (first ? m_period.firstDay : m_period.lastDay) = DayNumber::of(*day);
    showDays();
}

void SequenceAuditFrame::audit()
{
    const SequenceAudit::Period period = ReportPeriod::completed({m_period.firstDay, m_period.lastDay});
    m_period.firstDay = period.firstDay;
    m_period.lastDay = period.lastDay;
    SequenceAudit::Result result;
    QStringList lines;
    try {
        result = SequenceAudit::run(m_services.database, period);
        if (!result.tableEmpty)
            lines = SequenceAudit::lines(
                result, m_session.settings().clock12Hour, locale(),
                SequenceAudit::changeNotes(m_services.database, m_session.settings().clock12Hour));
    } catch (const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
        return;
    }
    if (result.tableEmpty) {
        m_services.messages.inform(this, SequenceAudit::noRecordsText, SequenceAudit::noRecordsTitle,
                                   MessageBoxes::Icon::None);
        return;
    }
    m_list->show();
    m_list->clear();
    m_list->addItems(lines);
}
