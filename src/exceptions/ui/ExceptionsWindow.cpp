#include "exceptions/ui/ExceptionsWindow.h"

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "platform/ui/DateBox.h"
#include "platform/ui/PlainButton.h"
#include "records/ui/RecordEditorWindow.h"
#include "reports/ui/QuickPeriodButtons.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/EditHistory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum Column { EmployeeColumn, DayColumn, TimeColumn, KindColumn, DetailColumn };

QString employeeText(const PunchException& e)
{
    const QString name = e.employee.trimmed();
    return name.isEmpty() ? e.employeeId : QStringLiteral("%1 (%2)").arg(name, e.employeeId.trimmed());
}

QString detailText(const PunchException& e)
{
    if (!e.resolution)
        return e.detail;
    const QString note = e.resolution->note;
    return QStringLiteral("%1 [resolved by %2%3]")
        .arg(e.detail, e.resolution->user, note.isEmpty() ? QString() : QStringLiteral(": ") + note);
}
} // namespace

ExceptionsWindow::ExceptionsWindow(const Services& services, Session& session, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
{
    openRecordEditor = [this](const QString& employeeId, qint32 startDay, qint64 recordNumber) {
        RecordEditorWindow editor(m_services, m_session, employeeId, startDay, this);
        editor.selectRecord(recordNumber);
        editor.exec();
    };
    setWindowTitle(QStringLiteral("Exceptions"));

    m_first = dateBox("dteFrom");
    m_last = dateBox("dteTo");
    auto* period = new QHBoxLayout;
    period->addWidget(new QLabel(QStringLiteral("From")));
    period->addWidget(m_first);
    period->addWidget(new QLabel(QStringLiteral("to")));
    period->addWidget(m_last);
    addQuickPeriodButtons(period, this, [this](ReportPeriod::Quick quick) { chooseQuick(quick); });
    period->addStretch();

    m_kind = new QComboBox;
    m_kind->setObjectName(QStringLiteral("cboKind"));
    m_kind->addItem(QStringLiteral("All kinds"));
    for (int k = 0; k <= static_cast<int>(ExceptionKind::EditedAfterLock); ++k)
        m_kind->addItem(PunchExceptions::kindName(static_cast<ExceptionKind>(k)), k);
    m_showResolved = new QCheckBox(QStringLiteral("Show resolved ones too"));
    m_showResolved->setObjectName(QStringLiteral("chkShowResolved"));
    QPushButton* refreshButton = plainButton(QStringLiteral("&Refresh"), "cmdRefresh");
    auto* filter = new QHBoxLayout;
    filter->addWidget(new QLabel(QStringLiteral("Kind")));
    filter->addWidget(m_kind);
    filter->addWidget(m_showResolved);
    filter->addStretch();
    filter->addWidget(refreshButton);

    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("lstExceptions"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderLabels({QStringLiteral("Employee"), QStringLiteral("Day"), QStringLiteral("Time"),
                             QStringLiteral("Kind"), QStringLiteral("Detail")});
    m_count = new QLabel;
    m_count->setObjectName(QStringLiteral("lblCount"));

    m_note = new QLineEdit;
    m_note->setObjectName(QStringLiteral("txtNote"));
    m_note->setPlaceholderText(QStringLiteral("Why it may stand (optional)"));
    m_open = plainButton(QStringLiteral("&Open in record editor"), "cmdOpenRecord");
    m_resolve = plainButton(QStringLiteral("&Mark resolved"), "cmdResolve");
    QPushButton* closeButton = plainButton(QStringLiteral("Close"), "cmdClose");
    auto* actions = new QHBoxLayout;
    actions->addWidget(m_open);
    actions->addSpacing(16);
    actions->addWidget(new QLabel(QStringLiteral("Note")));
    actions->addWidget(m_note, 1);
    actions->addWidget(m_resolve);
    actions->addSpacing(16);
    actions->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(period);
    layout->addLayout(filter);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_count);
    layout->addLayout(actions);

    connect(m_first, &QDateEdit::dateChanged, this, &ExceptionsWindow::refresh);
    connect(m_last, &QDateEdit::dateChanged, this, &ExceptionsWindow::refresh);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &ExceptionsWindow::refresh);
    connect(m_showResolved, &QCheckBox::toggled, this, &ExceptionsWindow::refresh);
    connect(refreshButton, &QPushButton::clicked, this, &ExceptionsWindow::refresh);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &ExceptionsWindow::selectionChanged);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &ExceptionsWindow::openSelected);
    connect(m_open, &QPushButton::clicked, this, &ExceptionsWindow::openSelected);
    connect(m_resolve, &QPushButton::clicked, this, &ExceptionsWindow::resolveSelected);
    connect(m_note, &QLineEdit::returnPressed, this, &ExceptionsWindow::resolveSelected);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    chooseQuick(ReportPeriod::Quick::ThisWeek);
    resize(1000, 560);
}

void ExceptionsWindow::setPeriod(const QDate& first, const QDate& last)
{
    {
        // One reading for the pair, not one per box.
        const QSignalBlocker firstBlocker(m_first);
        const QSignalBlocker lastBlocker(m_last);
        m_first->setDate(first);
        m_last->setDate(last);
    }
    refresh();
}

void ExceptionsWindow::chooseQuick(ReportPeriod::Quick choice)
{
    const ExceptionQuery days =
        PunchExceptions::quickPeriod(choice, m_session.settings(), m_services.time.now().date());
    setPeriod(DayNumber::toDate(days.firstDay), DayNumber::toDate(days.lastDay));
}

void ExceptionsWindow::refresh()
{
    const PunchException* before = selected();
    const qint64 keptRecord = before ? before->recordNumber : 0;
    const ExceptionKind keptKind = before ? before->kind : ExceptionKind::Forced;
    ExceptionQuery query{DayNumber::of(m_first->date()), DayNumber::of(m_last->date()), {}, {}};
    query.includeResolved = m_showResolved->isChecked();
    m_listed.clear();
    if (query.lastDay >= query.firstDay) {
        try {
            m_listed = PunchExceptions::load(m_services.database, query,
                                             ExceptionRules::of(m_session.settings(), m_services.time.now()));
            PunchExceptions::nameFromStaff(m_listed, m_session.employees().entries);
        } catch (const DatabaseError& error) {
            m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                       MessageBoxes::Icon::Critical);
        }
    }
    if (m_kind->currentIndex() > 0) {
        const auto kind = static_cast<ExceptionKind>(m_kind->currentData().toInt());
        m_listed.removeIf([kind](const PunchException& e) { return e.kind != kind; });
    }

    const QSignalBlocker blocker(m_list);
    m_list->clear();
    const QString timeFormat =
        m_session.settings().clock12Hour ? QStringLiteral("hh:mm:ss AP") : QStringLiteral("HH:mm:ss");
    int keptRow = -1;
    qsizetype open = 0;
    for (const PunchException& e : std::as_const(m_listed)) {
        const qint64 day = e.time / ReportRows::secondsPerDay;
        const QDateTime time(
            DayNumber::toDate(static_cast<qint32>(day)),
            QTime::fromMSecsSinceStartOfDay(int(e.time - day * ReportRows::secondsPerDay) * 1000));
        auto* item = new QTreeWidgetItem(
            m_list,
            {employeeText(e), locale().toString(time.date(), QStringLiteral("ddd yyyy-MM-dd")),
             locale().toString(time.time(), timeFormat), PunchExceptions::kindName(e.kind), detailText(e)});
        if (e.resolution) {
            for (int c = 0; c <= DetailColumn; ++c)
                item->setForeground(c, palette().brush(QPalette::Disabled, QPalette::Text));
        } else {
            ++open;
        }
        if (keptRecord != 0 && e.recordNumber == keptRecord && e.kind == keptKind)
            keptRow = m_list->topLevelItemCount() - 1;
    }
    for (int c = EmployeeColumn; c < DetailColumn; ++c)
        m_list->resizeColumnToContents(c);
    m_count->setText(open == 1 ? QStringLiteral("1 exception to look at")
                               : QStringLiteral("%1 exceptions to look at").arg(open));
    if (keptRow >= 0)
        m_list->setCurrentItem(m_list->topLevelItem(keptRow));
    selectionChanged();
}

const PunchException* ExceptionsWindow::selected() const
{
    const QList<QTreeWidgetItem*> items = m_list->selectedItems();
    if (items.isEmpty())
        return nullptr;
    const int row = m_list->indexOfTopLevelItem(items.first());
    return row >= 0 && row < m_listed.size() ? &m_listed[row] : nullptr;
}

void ExceptionsWindow::selectLine(int row)
{
    if (row >= 0 && row < m_list->topLevelItemCount())
        m_list->setCurrentItem(m_list->topLevelItem(row));
}

void ExceptionsWindow::selectionChanged()
{
    const PunchException* e = selected();
    m_open->setEnabled(e != nullptr);
    m_resolve->setEnabled(e && !e->resolution);
}

void ExceptionsWindow::openSelected()
{
    const PunchException* e = selected();
    if (!e)
        return;
    // From the day before, so the record it was judged against shows beside it.
    const qint32 day = static_cast<qint32>(e->time / ReportRows::secondsPerDay);
    openRecordEditor(e->employeeId, day - 1, e->recordNumber);
    refresh();
}

void ExceptionsWindow::resolveSelected()
{
    const PunchException* e = selected();
    if (!e || e->resolution)
        return;
    const QDateTime now = m_services.time.now();
    try {
        const std::optional<PunchException> resolved = PunchExceptions::resolve(
            m_services.database, e->recordNumber, e->kind, m_note->text(),
            ExceptionRules::of(m_session.settings(), now), {now, EditHistory::workstationUser()});
        if (!resolved)
            m_services.messages.inform(this,
                                       QStringLiteral("The records behind this exception have changed since "
                                                      "the list was read. The list is read again."),
                                       windowTitle(), MessageBoxes::Icon::Information);
        else
            m_note->clear();
    } catch (const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
    }
    refresh();
}
