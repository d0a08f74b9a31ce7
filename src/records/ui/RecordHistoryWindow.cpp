#include "records/ui/RecordHistoryWindow.h"

#include "records/RecordTexts.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/HistoryWords.h"
#include "store/RecordEdits.h"
#include "store/StoredTime.h"

#include <QFontDatabase>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

RecordHistoryWindow::RecordHistoryWindow(const Services& services, Session& session, qint64 recordNumber,
                                         QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
{
    setWindowTitle(QStringLiteral("History of record %1").arg(recordNumber));
    build();
    showStory(recordNumber);
}

RecordHistoryWindow::RecordHistoryWindow(const Services& services, Session& session,
                                         const QString& employeeId, qint32 fromDay, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
{
    setWindowTitle(QStringLiteral("Deleted records of ID %1 from %2")
                       .arg(employeeId, RecordTexts::longDate(fromDay, locale())));
    m_deleted = new QListWidget(this);
    m_deleted->setObjectName(QStringLiteral("lstDeleted"));
    m_deleted->setMinimumHeight(140);
    build();
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_deleted);
    try {
        m_found = HistoryTexts::deletedRecords(EditHistory(services.database).entries(), employeeId, fromDay);
    } catch (const DatabaseError& error) {
        m_text->setPlainText(error.userMessage());
        return;
    }
    for (const HistoryTexts::DeletedRecord& d : std::as_const(m_found)) {
        m_deleted->addItem(QStringLiteral("%1    deleted %2 by %3")
                               .arg(HistoryWords::recordText(d.record, session.settings().clock12Hour),
                                    StoredTime::toText(d.entry.when).left(16), d.entry.user));
    }
    connect(m_deleted, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < m_found.size())
            showStory(*m_found.at(row).entry.recordNumber);
    });
    if (m_found.isEmpty())
        m_text->setPlainText(QStringLiteral("No record of this employee from that day on was deleted."));
    else
        m_deleted->setCurrentRow(0);
}

void RecordHistoryWindow::build()
{
    auto* layout = new QVBoxLayout(this);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtHistory"));
    m_text->setReadOnly(true);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setMinimumSize(620, 260);
    layout->addWidget(m_text);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void RecordHistoryWindow::showStory(qint64 recordNumber)
{
    try {
        const QList<HistoryEntry> entries = EditHistory(m_services.database).entriesFor(recordNumber);
        const std::optional<ClockRecord> current = RecordEdits(m_services.database).find(recordNumber);
        m_text->setPlainText(HistoryTexts::recordStory(entries, current, m_session.settings().clock12Hour)
                                 .join(QLatin1Char('\n')));
    } catch (const DatabaseError& error) {
        m_text->setPlainText(error.userMessage());
    }
}

QString RecordHistoryWindow::text() const
{
    return m_text->toPlainText();
}

QStringList RecordHistoryWindow::deletedLines() const
{
    QStringList lines;
    for (int i = 0; m_deleted && i < m_deleted->count(); ++i)
        lines.append(m_deleted->item(i)->text());
    return lines;
}
