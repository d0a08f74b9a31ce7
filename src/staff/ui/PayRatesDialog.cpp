#include "staff/ui/PayRatesDialog.h"

#include "platform/MessageBoxes.h"
#include "staff/PayRateEditing.h"
#include "store/DayNumber.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

PayRatesDialog::PayRatesDialog(const Input& input, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent)
    , m_messages(messages)
    , m_employeeId(input.employeeId)
    , m_rates(input.rates)
{
    setModal(true);
    setWindowTitle(QStringLiteral("Pay rates of %1").arg(input.employeeName.trimmed()));

    auto* stored =
        new QLabel(QStringLiteral("Before the first date below, %1 is paid %2 an hour (the pay in the "
                                  "employee record).")
                       .arg(input.employeeName.trimmed(), PayRateEditing::rateText(input.storedPay)));
    stored->setObjectName(QStringLiteral("lblStoredPay"));
    stored->setWordWrap(true);

    m_table = new QTableWidget(0, 2);
    m_table->setObjectName(QStringLiteral("tblRates"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("From"), QStringLiteral("Rate per hour")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A chosen row fills the boxes, so changing a rate is choosing it and typing the new amount.
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && row < m_rates.size()) {
            m_from->setDate(DayNumber::toDate(m_rates[row].fromDay));
            m_rate->setText(PayRateEditing::rateText(m_rates[row].rate));
        }
    });

    m_from = new QDateEdit(input.today.isValid() ? input.today : QDate::currentDate());
    m_from->setObjectName(QStringLiteral("dteFrom"));
    m_from->setCalendarPopup(true);
    m_from->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_rate = new QLineEdit;
    m_rate->setObjectName(QStringLiteral("txtRate"));
    m_rate->setPlaceholderText(QStringLiteral("18.50"));
    auto* set = new QPushButton(QStringLiteral("&Set rate"));
    set->setObjectName(QStringLiteral("cmdSetRate"));
    auto* remove = new QPushButton(QStringLiteral("&Remove"));
    remove->setObjectName(QStringLiteral("cmdRemoveRate"));
    for (QPushButton* b : {set, remove})
        b->setAutoDefault(false);
    connect(set, &QPushButton::clicked, this, &PayRatesDialog::setRate);
    connect(remove, &QPushButton::clicked, this, &PayRatesDialog::removeRate);
    auto* entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("From")));
    entry->addWidget(m_from);
    entry->addWidget(new QLabel(QStringLiteral("Rate")));
    entry->addWidget(m_rate, 1);
    entry->addWidget(set);
    entry->addWidget(remove);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    buttons->button(QDialogButtonBox::Ok)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stored);
    layout->addWidget(m_table, 1);
    layout->addLayout(entry);
    layout->addWidget(buttons);
    showRates();
    resize(460, 360);
}

std::optional<QList<PayRateRow>> PayRatesDialog::chosenRates() const
{
    if (result() != QDialog::Accepted)
        return std::nullopt;
    return m_rates;
}

bool PayRatesDialog::setRate()
{
    const auto typed = PayRateEditing::rateOf(m_rate->text());
    if (const QString* problem = std::get_if<QString>(&typed)) {
        m_messages.beep();
        m_messages.inform(this, *problem, QStringLiteral("Pay rate"), MessageBoxes::Icon::Warning);
        m_rate->setFocus();
        return false;
    }
    m_rates = PayRateEditing::withRate(m_rates,
                                       {m_employeeId, DayNumber::of(m_from->date()), std::get<Money>(typed)});
    showRates();
    return true;
}

void PayRatesDialog::removeRate()
{
    m_rates = PayRateEditing::without(m_rates, DayNumber::of(m_from->date()));
    showRates();
}

void PayRatesDialog::showRates()
{
    const QSignalBlocker quiet(m_table);
    m_table->setRowCount(int(m_rates.size()));
    for (int row = 0; row < m_rates.size(); ++row) {
        m_table->setItem(row, 0,
                         new QTableWidgetItem(DayNumber::toDate(m_rates[row].fromDay).toString(Qt::ISODate)));
        auto* rate = new QTableWidgetItem(PayRateEditing::rateText(m_rates[row].rate));
        rate->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(row, 1, rate);
    }
}
