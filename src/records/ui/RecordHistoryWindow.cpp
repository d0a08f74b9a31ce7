#include "records/ui/RecordHistoryWindow.h"

#include "records/HistoryTexts.h"
#include "settings/ProgramState.h"
#include "store/DatabaseError.h"
#include "store/RecordEdits.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

RecordHistoryWindow::RecordHistoryWindow(ProgramState& state, qint64 recordNumber, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("History of record %1").arg(recordNumber));
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

    try {
        const QList<HistoryEntry> entries = EditHistory(state.database).entriesFor(recordNumber);
        const std::optional<ClockRecord> current = RecordEdits(state.database).find(recordNumber);
        m_text->setPlainText(HistoryTexts::recordStory(entries, current).join(QLatin1Char('\n')));
    } catch (const DatabaseError& error) {
        m_text->setPlainText(error.userMessage());
    }
}

QString RecordHistoryWindow::text() const
{
    return m_text->toPlainText();
}
