#include "staff/ui/BadgeDialog.h"

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "platform/ui/PlainButton.h"
#include "store/BadgeTable.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString title = QStringLiteral("Badge");
} // namespace

BadgeDialog::BadgeDialog(const Input& input, const TimeSource& time, MessageBoxes& messages, Store store,
                         QWidget* parent)
    : QDialog(parent)
    , m_time(time)
    , m_messages(messages)
    , m_store(std::move(store))
    , m_readerHex(input.readerHex)
{
    setWindowTitle(QStringLiteral("Badge of %1 (ID %2)").arg(input.employeeName.trimmed(), input.employeeId));
    auto* help = new QLabel(QStringLiteral("Read the card with the card reader, or type the number printed on "
                                           "it. The card then clocks this employee in and out in place of "
                                           "typing the ID; typing the ID still works."),
                            this);
    help->setObjectName(QStringLiteral("lblBadgeHelp"));
    help->setWordWrap(true);
    m_box = new QLineEdit(input.badge.value_or(QString()), this);
    m_box->setObjectName(QStringLiteral("txtBadge"));
    m_box->setMaxLength(BadgeNumber::longest);
    m_box->setPlaceholderText(QStringLiteral("No card"));
    m_box->installEventFilter(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Card number"), this));
    row->addWidget(m_box, 1);

    QPushButton* save = plainButton(QStringLiteral("&Save"), "cmdSaveBadge");
    QPushButton* remove = plainButton(QStringLiteral("&Remove"), "cmdRemoveBadge");
    QPushButton* cancel = plainButton(QStringLiteral("Cancel"), "cmdCancel");
    save->setDefault(true);
    remove->setEnabled(input.badge.has_value());
    connect(save, &QPushButton::clicked, this, &BadgeDialog::saveBadge);
    connect(remove, &QPushButton::clicked, this, &BadgeDialog::removeBadge);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addLayout(row);
    layout->addLayout(buttons);
    resize(420, sizeHint().height());
}

bool BadgeDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QDateTime at = m_time.preciseNow();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // A reader's Enter ends its reading; it is not the Save a typed Enter is.
            if (m_burst.enter(at)) {
                QTimer::singleShot(KeyBurst::gapMs + 5, this, &BadgeDialog::takeReading);
                return true;
            }
        } else if (!key->text().isEmpty() && key->text().at(0).isPrint()) {
            // A reading replaces whatever the box held, so the first key of a burst starts afresh.
            m_burst.key(key->text(), at);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BadgeDialog::takeReading()
{
    if (const std::optional<QString> read = m_burst.reading(m_time.preciseNow())) {
        m_box->setText(BadgeNumber::fromReader(*read, m_readerHex));
        m_box->selectAll();
    }
}

bool BadgeDialog::saveBadge()
{
    takeReading();
    const std::optional<QString> badge = BadgeNumber::typed(m_box->text());
    if (!badge) {
        m_messages.inform(this,
                          m_box->text().trimmed().isEmpty()
                              ? QStringLiteral("Read the card or type its number, or use Remove.")
                              : QStringLiteral("A card number has 1 to %1 characters and no blanks.")
                                    .arg(BadgeNumber::longest),
                          title, MessageBoxes::Icon::Warning);
        return false;
    }
    return keep(badge);
}

bool BadgeDialog::removeBadge()
{
    return keep(std::nullopt);
}

bool BadgeDialog::keep(const std::optional<QString>& badge)
{
    const QString refusal = m_store(badge);
    if (!refusal.isEmpty()) {
        m_messages.inform(this, refusal, title, MessageBoxes::Icon::Warning);
        return false;
    }
    accept();
    return true;
}
