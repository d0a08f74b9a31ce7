#include "records/ui/RecordEditorWindow.h"

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/TabColumns.h"
#include "records/RecordTexts.h"
#include "records/ui/DayChoice.h"
#include "records/ui/RecordHistoryWindow.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
constexpr int pictureWidth = 240;
constexpr int pictureHeight = 180;

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

RecordEditorWindow::RecordEditorWindow(const Services& services, Session& session, const QString& employeeId,
                                       qint32 startDay, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
    , m_editor(services, session, employeeId, startDay)
{
    setWindowTitle(m_editor.caption());
    auto* layout = new QHBoxLayout(this);
    auto* listArea = new QWidget(this);
    listArea->setMinimumSize(640, 420);
    m_list = new QListWidget(listArea);
    new TabColumns(m_list);
    m_list->setObjectName(QStringLiteral("lstRecords"));
    m_list->viewport()->installEventFilter(this);
    m_noRecords = new QLabel(listArea);
    m_noRecords->setObjectName(QStringLiteral("lblNoRecords"));
    m_noRecords->move(7, 67); // 100, 1000 twips
    auto* listLayout = new QVBoxLayout(listArea);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(m_list);
    layout->addWidget(listArea, 1);

    auto* detail = new QWidget(this);
    buildDetail(detail);
    layout->addWidget(detail);

    // The mouse and the arrow keys choose a line the same way. A line made current without being
    // selected (the list taking the focus) loads nothing, so the window opens with no record shown.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const int row = m_list->currentRow();
        if (row >= 0 && m_list->item(row)->isSelected())
            lineClicked(row);
    });
    refresh();
}

void RecordEditorWindow::buildDetail(QWidget* area)
{
    auto* grid = new QGridLayout(area);
    int row = 0;
    m_name = new QLabel(area);
    m_name->setObjectName(QStringLiteral("lblName"));
    m_id = new QLabel(area);
    m_id->setObjectName(QStringLiteral("lblID"));
    grid->addWidget(m_name, row, 0);
    grid->addWidget(m_id, row++, 1);

    m_date = button(area, "cmdDate", RecordTexts::longDate(m_editor.currentDay(), locale()));
    grid->addWidget(m_date, row++, 0, 1, 2);

    m_time = new QLineEdit(area);
    m_time->setObjectName(QStringLiteral("txtTime"));
    m_time->installEventFilter(this);
    grid->addWidget(new QLabel(QStringLiteral("Time"), area), row, 0);
    grid->addWidget(m_time, row++, 1);

    m_in = new QRadioButton(QStringLiteral("IN"), area);
    m_in->setObjectName(QStringLiteral("optIn"));
    m_out = new QRadioButton(QStringLiteral("OUT"), area);
    m_out->setObjectName(QStringLiteral("optOut"));
    m_in->setChecked(true);
    grid->addWidget(m_in, row, 0);
    grid->addWidget(m_out, row++, 1);

    m_tipsLabel = new QLabel(m_session.settings().tipsWord, area);
    m_tipsLabel->setObjectName(QStringLiteral("lblTips"));
    m_tips = new QLineEdit(area);
    m_tips->setObjectName(QStringLiteral("txtTips"));
    m_tips->installEventFilter(this);
    grid->addWidget(m_tipsLabel, row, 0);
    grid->addWidget(m_tips, row++, 1);

    m_department = new QComboBox(area);
    m_department->setObjectName(QStringLiteral("cboDepartment"));
    for (const Department& d : std::as_const(m_session.departments().entries)) {
        if (!d.name.isEmpty())
            m_department->addItem(d.name, d.number);
    }
    m_department->setCurrentIndex(-1);
    m_department->setVisible(m_session.hasEmployeeDatabase());
    grid->addWidget(m_department, row++, 0, 1, 2);

    m_created = new QLabel(area);
    m_created->setObjectName(QStringLiteral("lblCreated"));
    grid->addWidget(m_created, row++, 0, 1, 2);

    m_picture = new QLabel(area);
    m_picture->setObjectName(QStringLiteral("picPicture"));
    m_picture->setFixedSize(pictureWidth, pictureHeight);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFrameShape(QFrame::Box);
    grid->addWidget(m_picture, row++, 0, 1, 2);

    m_markEdit = new QCheckBox(QStringLiteral("Do not mark as \"Edited\""), area);
    m_markEdit->setObjectName(QStringLiteral("ckMarkEdit"));
    grid->addWidget(m_markEdit, row++, 0, 1, 2);

    QPushButton* saveButton = button(area, "cmdSave", QStringLiteral("&Save"));
    QPushButton* insertButton = button(area, "cmdInsert", QStringLiteral("&Insert"));
    QPushButton* deleteButton = button(area, "cmdDelete", QStringLiteral("&Delete"));
    QPushButton* refreshButton = button(area, "cmdRefresh", QStringLiteral("&Refresh"));
    m_previous = button(area, "cmdPrevious", QStringLiteral("&Previous record"));
    m_next = button(area, "cmdNext", QStringLiteral("&Next record"));
    QPushButton* historyButton = button(area, "cmdHistory", QStringLiteral("&History\u2026"));
    QPushButton* deletedButton = button(area, "cmdDeleted", QStringLiteral("D&eleted records\u2026"));
    QPushButton* closeButton = button(area, "cmdClose", QStringLiteral("&Close"));
    grid->addWidget(saveButton, row, 0);
    grid->addWidget(insertButton, row++, 1);
    grid->addWidget(deleteButton, row, 0);
    grid->addWidget(refreshButton, row++, 1);
    grid->addWidget(m_previous, row, 0);
    grid->addWidget(m_next, row++, 1);
    grid->addWidget(historyButton, row, 0);
    grid->addWidget(deletedButton, row++, 1);
    grid->addWidget(closeButton, row++, 1);
    grid->setRowStretch(row, 1);

    connect(m_date, &QPushButton::clicked, this, &RecordEditorWindow::chooseDate);
    connect(m_in, &QRadioButton::toggled, this, &RecordEditorWindow::directionChanged);
    connect(m_department, &QComboBox::activated, this,
            [this](int index) { m_editor.setCurrentDepartment(m_department->itemData(index).toInt()); });
    connect(saveButton, &QPushButton::clicked, this, &RecordEditorWindow::save);
    connect(insertButton, &QPushButton::clicked, this, &RecordEditorWindow::insert);
    connect(deleteButton, &QPushButton::clicked, this, &RecordEditorWindow::deleteRecord);
    connect(refreshButton, &QPushButton::clicked, this, &RecordEditorWindow::refresh);
    connect(m_previous, &QPushButton::clicked, this, [this] { move(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { move(1); });
    connect(historyButton, &QPushButton::clicked, this, &RecordEditorWindow::showHistory);
    connect(deletedButton, &QPushButton::clicked, this, &RecordEditorWindow::showDeleted);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    directionChanged();
}

void RecordEditorWindow::refresh()
{
    // Rebuilding the list must not load a record into the detail area: that would undo a day just
    // picked with the date button.
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    try {
        m_editor.reload();
    } catch (const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
    }
    const bool empty = m_editor.entries().isEmpty();
    m_list->setVisible(!empty);
    m_noRecords->setVisible(empty);
    m_noRecords->setText(empty ? m_editor.noRecordsText() : QString());
    m_noRecords->adjustSize();
    for (const RecordEditor::Entry& entry : m_editor.entries()) {
        auto* item = new QListWidgetItem(entry.line, m_list);
        item->setData(Qt::UserRole, entry.recordNumber);
    }
    static_cast<TabColumns*>(m_list->itemDelegate())->fitToContents();
    // The record in the detail area stays selected when it is still listed.
    const int row = m_editor.indexOf(m_editor.currentRecord());
    m_list->setCurrentRow(row);
    updateMoves();
}

bool RecordEditorWindow::selectRecord(qint64 recordNumber)
{
    const int row = m_editor.indexOf(recordNumber);
    if (row < 0)
        return false;
    m_list->setCurrentRow(row);
    m_list->scrollToItem(m_list->item(row));
    return true;
}

void RecordEditorWindow::lineClicked(int row)
{
    if (row < 0 || row >= m_editor.entries().size())
        return;
    loadScreen(m_editor.entries().at(row).recordNumber);
    updateMoves();
}

void RecordEditorWindow::loadScreen(qint64 recordNumber)
{
    std::optional<RecordEditor::Shown> shown;
    try {
        shown = m_editor.show(recordNumber);
    } catch (const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
    }
    if (!shown)
        return;
    m_name->setText(shown->name);
    m_id->setText(shown->employeeId);
    m_department->setCurrentIndex(m_department->findData(shown->departmentNumber));
    (shown->clockOut ? m_out : m_in)->setChecked(true);
    directionChanged();
    m_tips->setText(shown->tips);
    m_created->setText(shown->created);
    m_time->setText(shown->time);
    if (shown->picture.isEmpty()) {
        m_picture->setPixmap(QPixmap());
        m_picture->setText(QStringLiteral("No picture found..."));
    } else {
        m_picture->setPixmap(
            QPixmap(shown->picture).scaled(m_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    m_date->setText(RecordTexts::longDate(shown->day, locale()));
    m_date->setStyleSheet(QString());
}

void RecordEditorWindow::move(int step)
{
    const int row = m_list->currentRow() + step;
    if (row < 0 || row >= m_list->count())
        return;
    m_list->setCurrentRow(row);
}

void RecordEditorWindow::updateMoves()
{
    const int row = m_list->currentRow();
    m_previous->setEnabled(row > 0);
    m_next->setEnabled(row + 1 < m_list->count());
}

void RecordEditorWindow::chooseDate()
{
    const std::optional<QDate> day = pickDate(m_services.time, this);
    if (!day)
        return;
    m_editor.setCurrentDay(DayNumber::of(*day));
    showChosenDay(m_date, DayNumber::of(*day));
}

void RecordEditorWindow::directionChanged()
{
    const bool tips = m_out->isChecked() && m_editor.tipsAsked();
    m_tips->setVisible(tips);
    m_tipsLabel->setVisible(tips);
}

RecordEditor::Input RecordEditorWindow::input() const
{
    return {m_time->text(), m_out->isChecked(), m_tips->text(), m_markEdit->isChecked()};
}

void RecordEditorWindow::report(const RecordEditor::Outcome& outcome)
{
    if (outcome.done) {
        refresh();
        return;
    }
    if (outcome.beep)
        m_services.messages.beep();
    m_services.messages.inform(this, outcome.message, windowTitle(), MessageBoxes::Icon::Critical);
    if (outcome.focusTime)
        m_time->setFocus();
}

bool RecordEditorWindow::sequenceAccepted(RecordEditor::Write write)
{
    QString question;
    try {
        question = m_editor.sequenceQuestion(write, input());
    } catch (const DatabaseError&) {
        return true; // the write itself reports the database
    }
    return question.isEmpty() ||
           m_services.messages.askYesNo(this, question, windowTitle(), MessageBoxes::Icon::Question) ==
               MessageBoxes::Answer::Yes;
}

void RecordEditorWindow::save()
{
    if (!sequenceAccepted(RecordEditor::Write::Save))
        return;
    report(m_editor.save(input()));
}

void RecordEditorWindow::insert()
{
    if (!sequenceAccepted(RecordEditor::Write::Insert))
        return;
    report(m_editor.insert(input()));
}

void RecordEditorWindow::clearDetail()
{
    m_time->clear();
    m_tips->clear();
    m_created->clear();
    m_picture->setPixmap(QPixmap());
    m_picture->clear();
}

void RecordEditorWindow::deleteRecord()
{
    if (m_editor.currentRecord() <= 0)
        return;
    QString shown;
    try {
        shown = m_editor.currentRecordText();
    } catch (const DatabaseError&) {
    }
    m_services.messages.beep();
    const QString question =
        QStringLiteral("Are you sure....?") + (shown.isEmpty() ? QString() : QStringLiteral("\n\n") + shown);
    if (m_services.messages.askYesNo(this, question, QStringLiteral("Delete record"),
                                     MessageBoxes::Icon::Critical) != MessageBoxes::Answer::Yes)
        return;
    if (!sequenceAccepted(RecordEditor::Write::Delete))
        return;
    if (const RecordEditor::Outcome outcome = m_editor.remove(); !outcome.done)
        m_services.messages.inform(this, outcome.message, windowTitle(), MessageBoxes::Icon::Critical);
    // The deleted record must not stay on show as if it could still be changed.
    clearDetail();
    refresh();
}

void RecordEditorWindow::showHistory()
{
    if (m_editor.currentRecord() <= 0)
        return;
    RecordHistoryWindow history(m_services, m_session, m_editor.currentRecord(), this);
    history.exec();
}

void RecordEditorWindow::showDeleted()
{
    RecordHistoryWindow deleted(m_services, m_session, m_editor.employeeId(), m_editor.startDay(), this);
    deleted.exec();
}

bool RecordEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_time || watched == m_tips) && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        const auto* box = static_cast<QLineEdit*>(watched);
        if (text.size() == 1 && text.at(0).isPrint() &&
            !RecordTexts::acceptsKey(text.at(0), box->text(), m_session.settings().clock12Hour,
                                     watched == m_tips))
            return true;
    }
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress && m_list->count() == 0) {
        m_services.messages.beep();
        m_services.messages.inform(this, QStringLiteral("No records for: !"), QStringLiteral("No records"),
                                   MessageBoxes::Icon::None);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
