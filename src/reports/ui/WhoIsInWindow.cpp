#include "reports/ui/WhoIsInWindow.h"

#include "clock/InOutLists.h"
#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "platform/ui/TabColumns.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
// The name column: names are padded to at least 1200 twips and cut below 1350 twips.
constexpr int columnMinimumTwips = 1200;
constexpr int columnMaximumTwips = 1350;
const QString inCaption = QStringLiteral("Employees clocked In");
const QString outCaption = QStringLiteral("Employees clocked Out");
const QString expectedCaption = QStringLiteral("Expected, not in");
} // namespace

WhoIsInWindow::WhoIsInWindow(const Services& services, Session& session, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
{
    setWindowTitle(QStringLiteral("Who is in and who is out"));
    auto* grid = new QGridLayout(this);
    const auto list = [this](const char* name) {
        auto* l = new QListWidget(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setMinimumSize(340, 320);
        l->setTextElideMode(Qt::ElideNone);
        new TabColumns(l);
        return l;
    };
    m_inLabel = new QLabel(inCaption, this);
    m_inLabel->setObjectName(QStringLiteral("lblIN"));
    m_outLabel = new QLabel(outCaption, this);
    m_outLabel->setObjectName(QStringLiteral("lblOUT"));
    m_in = list("lstIN");
    m_out = list("lstOUT");
    grid->addWidget(m_inLabel, 0, 0);
    grid->addWidget(m_outLabel, 0, 1);
    grid->addWidget(m_in, 1, 0);
    grid->addWidget(m_out, 1, 1);
    m_expectedLabel = new QLabel(expectedCaption, this);
    m_expectedLabel->setObjectName(QStringLiteral("lblExpected"));
    m_expected = list("lstExpected");
    grid->addWidget(m_expectedLabel, 0, 2);
    grid->addWidget(m_expected, 1, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Ins and Outs, last"), this));
    m_daysBox = new QComboBox(this);
    m_daysBox->setObjectName(QStringLiteral("cmbDays"));
    for (int day = 1; day <= WhoIsIn::maximumDays; ++day)
        m_daysBox->addItem(QString::number(day));
    m_daysBox->setCurrentIndex(WhoIsIn::defaultDays - 1);
    bottom->addWidget(m_daysBox);
    bottom->addWidget(new QLabel(QStringLiteral("days"), this));
    bottom->addStretch(1);
    auto* refresh = new QPushButton(QStringLiteral("&Refresh"), this);
    refresh->setObjectName(QStringLiteral("cmdRefresh"));
    refresh->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("cmdCANCEL"));
    close->setAutoDefault(false);
    bottom->addWidget(refresh);
    bottom->addWidget(close);
    grid->addLayout(bottom, 2, 0, 1, 3);

    connect(m_daysBox, &QComboBox::activated, this, &WhoIsInWindow::chooseDays);
    connect(refresh, &QPushButton::clicked, this, &WhoIsInWindow::LoadINOUTform);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    LoadINOUTform();
}

void WhoIsInWindow::chooseDays(int index)
{
    m_days = static_cast<qint16>(index + 1);
    m_daysBox->setCurrentIndex(index);
    LoadINOUTform();
}

void WhoIsInWindow::LoadINOUTform()
{
    std::optional<WhoIsIn::Lists> lists;
    QList<LateArrivals::Entry> expected;
    try {
        lists = WhoIsIn::load(m_services.database, m_services.time.today(), m_days);
        expected = LateArrivals::load(m_services.database, m_services.time.now(),
                                      m_session.settings().lateAfterMinutes);
    } catch (const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
        return;
    }
    m_expected->clear();
    for (const LateArrivals::Entry& entry : expected) {
        auto* item = new QListWidgetItem(nameColumn(m_expected, entry.name) + QLatin1Char('\t') +
                                             entry.employeeId + QStringLiteral(" - ") +
                                             entry.start.toString(m_session.settings().timeFormat()),
                                         m_expected);
        item->setData(Qt::UserRole, entry.employeeId);
    }
    m_expectedLabel->setText(QStringLiteral("%1 (%2)").arg(expectedCaption).arg(expected.size()));
    static_cast<TabColumns*>(m_expected->itemDelegate())->fitToContents();
    if (!lists)
        return;
    fill(m_in, m_inLabel, inCaption, lists->in);
    fill(m_out, m_outLabel, outCaption, lists->out);
}

QString WhoIsInWindow::nameColumn(const QListWidget* list, const QString& name) const
{
    const QFontMetrics metrics(list->font());
    const auto width = [&](const QString& text) {
        return metrics.horizontalAdvance(text);
    };
    const int dpi = list->logicalDpiX();
    return InOutLists::entryText(name, width, columnMinimumTwips * dpi / 1440,
                                 columnMaximumTwips * dpi / 1440)
        .chopped(1);
}

void WhoIsInWindow::fill(QListWidget* list, QLabel* label, const QString& caption,
                         const QList<WhoIsIn::Entry>& entries)
{
    list->clear();
    for (const WhoIsIn::Entry& entry : entries) {
        const QString column = nameColumn(list, entry.name);
        auto* item = new QListWidgetItem(
            WhoIsIn::itemText(column, entry, m_session.settings().clock12Hour, locale()), list);
        item->setData(Qt::UserRole, entry.employeeId);
    }
    label->setText(QStringLiteral("%1 (%2)").arg(caption).arg(entries.size()));
    static_cast<TabColumns*>(list->itemDelegate())->fitToContents();
}
