#include "staff/ui/EmployeeListWindow.h"

#include "platform/MessageBoxes.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr double twipsPerInch = 1440.0;
} // namespace

EmployeeListWindow::EmployeeListWindow(const Services& services, Session& session,
                                       EmployeeListing::Purpose purpose, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
    , m_purpose(purpose)
{
    setWindowTitle(EmployeeListing::caption(m_purpose));
    auto* layout = new QVBoxLayout(this);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("Search:"), this));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtSearch"));
    searchRow->addWidget(m_search);
    layout->addLayout(searchRow);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstEmployees"));
    m_list->setMinimumSize(320, 280);
    m_list->installEventFilter(this);
    layout->addWidget(m_list);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_search, &QLineEdit::textEdited, this, &EmployeeListWindow::search);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &EmployeeListWindow::choose);
    connect(ok, &QPushButton::clicked, this, &EmployeeListWindow::choose);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    fill();
}

void EmployeeListWindow::fill()
{
    m_list->clear();
    try {
        m_entries = EmployeeListing::entries(m_services, m_session);
    } catch (const DatabaseError& error) {
        m_entries.clear();
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
    }
    const QFontMetricsF metrics(m_list->font());
    const double dpi = m_list->logicalDpiX();
    const auto twips = [&](const QString& text) {
        return metrics.horizontalAdvance(text) * twipsPerInch / dpi;
    };
    for (const EmployeeListing::Entry& entry : std::as_const(m_entries)) {
        auto* item =
            new QListWidgetItem(EmployeeListing::lineText(entry.name, entry.employeeId, twips), m_list);
        item->setData(Qt::UserRole, entry.index);
    }
    m_list->setCurrentRow(-1);
}

void EmployeeListWindow::search(const QString& typed)
{
    QStringList lines;
    for (int i = 0; i < m_list->count(); ++i)
        lines.append(m_list->item(i)->text());
    const int row = EmployeeListing::firstMatch(lines, typed);
    if (row >= 0)
        m_list->setCurrentRow(row);
}

bool EmployeeListWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void EmployeeListWindow::choose()
{
    if (m_entries.isEmpty()) {
        m_services.messages.beep();
        m_services.messages.inform(this, QStringLiteral("No Employees entered!"),
                                   QStringLiteral("No Employees"), MessageBoxes::Icon::None);
        accept();
        return;
    }
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_entries.size())
        return;
    const EmployeeListing::Entry& entry = m_entries.at(row);
    if (m_purpose == EmployeeListing::Purpose::Change) {
        m_chosenIndex = entry.index;
        Q_EMIT changeRequested(entry.index);
        accept();
    } else if (m_purpose == EmployeeListing::Purpose::Delete) {
        deleteChosen(entry);
    } else {
        m_chosenId = entry.employeeId;
        accept();
    }
}

void EmployeeListWindow::deleteChosen(const EmployeeListing::Entry& entry)
{
    // Only the staff entered in this program can be deleted; the scheduling database is read only.
    if (!m_session.usesLocalStaff())
        return;
    m_services.messages.beep();
    if (m_services.messages.askYesNo(this, EmployeeListing::deleteQuestion(entry.name, entry.employeeId),
                                     QStringLiteral("Employee delete"),
                                     MessageBoxes::Icon::Critical) != MessageBoxes::Answer::Yes)
        return;
    if (!EmployeeListing::deleteEmployee(m_session, entry.index))
        m_services.messages.inform(this,
                                   QStringLiteral("Empl.DAT could not be written; nothing was deleted."),
                                   QStringLiteral("Employee delete"), MessageBoxes::Icon::Critical);
    fill();
}
