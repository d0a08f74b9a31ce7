#include "payroll/ui/PayPeriodsWindow.h"

#include "pay/PaySummary.h"
#include "payroll/ExportProfile.h"
#include "platform/ProgramPaths.h"
#include "platform/ui/PlainButton.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
// What the profile box offers beside the presets.
const QString profileFile = QStringLiteral("A profile file...");

QString stateText(StoredPeriod::State state)
{
    const QString word = StoredPeriod::stateWord(state);
    return word.left(1).toUpper() + word.mid(1);
}

QTableWidgetItem* figure(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}
} // namespace

PayPeriodsWindow::PayPeriodsWindow(const Services& services, Session& session,
                                   PeriodReview::ExceptionCounts exceptions, QWidget* parent)
    : QDialog(parent)
    , m_review(services, session, std::move(exceptions), this)
{
    askReason = [this]() -> std::optional<QString> {
        QInputDialog dialog(this);
        dialog.setWindowTitle(QStringLiteral("Reopen pay period"));
        dialog.setLabelText(QStringLiteral("Why is %1 reopened? The reason goes into the edit history.")
                                .arg(m_review.chosen().text()));
        dialog.resize(480, dialog.sizeHint().height());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
    };
    chooseProfile = [this]() -> QString {
        // The presets by what they are called, each with the name the command line uses.
        QStringList names = ExportProfile::presetNames();
        QStringList choices;
        for (const QString& name : std::as_const(names))
            choices.append(QStringLiteral("%1 (%2)").arg(ExportProfile::preset(name).name, name));
        choices.append(profileFile);
        QInputDialog dialog(this);
        dialog.setWindowTitle(QStringLiteral("Export pay period"));
        dialog.setLabelText(QStringLiteral("The payroll service's file:"));
        dialog.setComboBoxItems(choices);
        dialog.resize(420, dialog.sizeHint().height());
        if (dialog.exec() != QDialog::Accepted)
            return {};
        const qsizetype picked = choices.indexOf(dialog.textValue());
        if (picked >= 0 && picked < names.size())
            return names[picked];
        return QFileDialog::getOpenFileName(this, QStringLiteral("Export profile"), QString(),
                                            QStringLiteral("Export profiles (*.ini)"));
    };
    saveFileName = [this](const QString& caption, const QString& suggested) {
        return QFileDialog::getSaveFileName(this, caption, suggested);
    };
    setWindowTitle(PeriodReview::title());

    m_periods = new QTreeWidget;
    m_periods->setObjectName(QStringLiteral("lstPeriods"));
    m_periods->setHeaderLabels({QStringLiteral("Period"), QStringLiteral("State")});
    m_periods->setRootIsDecorated(false);
    m_periods->setMinimumWidth(300);
    m_periods->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(m_periods, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (m_filling || !item)
            return;
        m_warning->clear();
        m_review.choose({item->data(0, Qt::UserRole).toDate(), item->data(1, Qt::UserRole).toDate()});
        showChosen();
    });

    m_table = new QTableWidget(0, ColumnCount);
    m_table->setObjectName(QStringLiteral("grdEmployees"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Approved"), QStringLiteral("Employee"), QStringLiteral("ID"),
         QStringLiteral("Regular"), QStringLiteral("Overtime"), QStringLiteral("Double"),
         QStringLiteral("Gross"), QStringLiteral("Tips"), QStringLiteral("Exceptions")});
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);
    connect(m_table, &QTableWidget::itemChanged, this, &PayPeriodsWindow::rowChecked);

    m_state = new QLabel;
    m_state->setObjectName(QStringLiteral("lblState"));
    m_warning = new QLabel;
    m_warning->setObjectName(QStringLiteral("lblWarning"));
    m_warning->setWordWrap(true);
    m_warning->setStyleSheet(QStringLiteral("color: #a04000;"));

    m_approveAll = plainButton(QStringLiteral("&Approve all"), "cmdApproveAll");
    m_lock = plainButton(QStringLiteral("&Lock"), "cmdLock");
    m_reopen = plainButton(QStringLiteral("&Reopen..."), "cmdReopen");
    m_export = plainButton(QStringLiteral("&Export..."), "cmdExport");
    QPushButton* close = plainButton(QStringLiteral("Close"), "cmdClose");
    connect(m_approveAll, &QPushButton::clicked, this, &PayPeriodsWindow::approveAll);
    connect(m_lock, &QPushButton::clicked, this, &PayPeriodsWindow::lock);
    connect(m_reopen, &QPushButton::clicked, this, &PayPeriodsWindow::reopen);
    connect(m_export, &QPushButton::clicked, this, &PayPeriodsWindow::exportPeriod);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_approveAll, m_lock, m_reopen, m_export})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* chosen = new QVBoxLayout;
    chosen->addWidget(m_state);
    chosen->addWidget(m_table, 1);
    chosen->addWidget(m_warning);
    chosen->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_periods);
    layout->addLayout(chosen, 1);
    resize(1100, 560);

    m_review.refresh();
    showPeriods();
    if (m_periods->topLevelItemCount() > 0)
        m_periods->setCurrentItem(m_periods->topLevelItem(0));
    else
        showChosen();
}

bool PayPeriodsWindow::choosePeriod(const QDate& first)
{
    for (int i = 0; i < m_periods->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_periods->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toDate() == first) {
            m_periods->setCurrentItem(item);
            return true;
        }
    }
    return false;
}

void PayPeriodsWindow::showPeriods()
{
    m_filling = true;
    const QDate current = m_review.chosen().first;
    m_periods->clear();
    for (const ReviewPeriod& period : m_review.periods()) {
        auto* item = new QTreeWidgetItem({period.days.text(), stateText(period.state)});
        item->setData(0, Qt::UserRole, period.days.first);
        item->setData(1, Qt::UserRole, period.days.last);
        m_periods->addTopLevelItem(item);
        if (period.days.first == current)
            m_periods->setCurrentItem(item);
    }
    m_filling = false;
}

void PayPeriodsWindow::showChosen()
{
    m_filling = true;
    const bool chosen = m_review.chosen().isValid();
    const StoredPeriod::State state = m_review.state();
    const bool locked = state == StoredPeriod::State::Locked;
    const QList<ReviewRow>& rows = m_review.rows();
    m_table->setColumnHidden(Tips, !m_review.tipsShown());
    m_table->setRowCount(int(rows.size()));
    qsizetype approved = 0;
    for (int r = 0; r < rows.size(); ++r) {
        const ReviewRow& row = rows[r];
        auto* box = new QTableWidgetItem;
        box->setData(Qt::UserRole, row.id);
        box->setCheckState(row.approved ? Qt::Checked : Qt::Unchecked);
        // An approval is taken back only by reopening the period.
        box->setFlags(row.approved || locked
                          ? Qt::ItemIsSelectable
                          : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        if (row.approved)
            box->setToolTip(
                QStringLiteral("Approved by %1 on %2")
                    .arg(row.approvedBy, row.approvedWhen.toString(QStringLiteral("yyyy-MM-dd HH:mm"))));
        m_table->setItem(r, Approved, box);
        auto* name = new QTableWidgetItem(row.name);
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_table->setItem(r, Name, name);
        auto* id = new QTableWidgetItem(row.id);
        id->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_table->setItem(r, Id, id);
        m_table->setItem(r, Regular, figure(PaySummary::hoursText(row.paid.regular)));
        m_table->setItem(r, Overtime, figure(PaySummary::hoursText(row.paid.overtime)));
        m_table->setItem(r, Double, figure(PaySummary::hoursText(row.paid.doubleTime)));
        m_table->setItem(r, Gross, figure(row.gross.toFixed(2)));
        m_table->setItem(r, Tips, figure(row.tips.toFixed(2)));
        m_table->setItem(r, Exceptions,
                         figure(row.exceptions > 0 ? QString::number(row.exceptions) : QString()));
        if (row.exceptions > 0) {
            // The mark a manager looks for before approving.
            for (int c = 0; c < ColumnCount; ++c)
                m_table->item(r, c)->setBackground(QColor(255, 228, 196));
            m_table->item(r, Exceptions)->setToolTip(QStringLiteral("Exceptions not resolved"));
        }
        approved += row.approved ? 1 : 0;
    }

    QString text;
    if (!chosen)
        text = QStringLiteral("No pay period to show.");
    else
        text = QStringLiteral("%1: %2, %3 of %4 approved")
                   .arg(m_review.chosen().text(), StoredPeriod::stateWord(state))
                   .arg(approved)
                   .arg(rows.size());
    if (const auto lockedBy = m_review.lockedBy())
        text += QStringLiteral(" (locked by %1 on %2)")
                    .arg(lockedBy->first, lockedBy->second.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    m_state->setText(text);
    m_approveAll->setEnabled(chosen && !locked && state != StoredPeriod::State::Approved);
    m_lock->setEnabled(chosen && !locked);
    m_reopen->setEnabled(chosen && state != StoredPeriod::State::Open);
    m_export->setEnabled(chosen);
    m_filling = false;
}

void PayPeriodsWindow::rowChecked(QTableWidgetItem* item)
{
    if (m_filling || item->column() != Approved || item->checkState() != Qt::Checked)
        return;
    m_review.approve(item->data(Qt::UserRole).toString());
    // Even when refused or declined: the box shows what is stored.
    showPeriods();
    showChosen();
}

void PayPeriodsWindow::approveAll()
{
    m_review.approveAll();
    showPeriods();
    showChosen();
}

void PayPeriodsWindow::lock()
{
    m_review.lock();
    showPeriods();
    showChosen();
}

void PayPeriodsWindow::reopen()
{
    const std::optional<QString> reason = askReason();
    if (!reason)
        return;
    m_review.reopen(*reason);
    showPeriods();
    showChosen();
}

void PayPeriodsWindow::exportPeriod()
{
    const QString profile = chooseProfile();
    if (profile.isEmpty())
        return;
    const QString name = m_review.suggestedFileName(profile);
    if (name.isEmpty())
        return;
    const QString output = saveFileName(QStringLiteral("Export pay period"),
                                        QDir(ProgramPaths::documentsFolder()).filePath(name));
    if (output.isEmpty())
        return;
    const PeriodReview::Exported exported = m_review.exportTo(profile, output);
    showPeriods();
    showChosen();
    if (exported.written)
        m_warning->setText(QStringLiteral("%1 was written. %2")
                               .arg(QDir::toNativeSeparators(output), exported.warning)
                               .trimmed());
}
