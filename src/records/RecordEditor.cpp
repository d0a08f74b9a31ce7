#include "records/RecordEditor.h"

#include "clock/PictureText.h"
#include "platform/TimeSource.h"
#include "records/RecordTexts.h"
#include "settings/ProgramState.h"
#include "settings/TimeText.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/RecordEdits.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

const QString RecordEditor::saveFormatMessage =
    QStringLiteral("\nRecord did not save...\n\nCheck the date and time format..");
const QString RecordEditor::timeMessage = QStringLiteral("Error in date or time format..");
const QString RecordEditor::currencyMessage = QStringLiteral("Error in Currency field....");

namespace {
RecordEditor::Outcome failed(const QString& message, bool beep = false, bool focusTime = false)
{
    return {false, message, beep, focusTime};
}
} // namespace

RecordEditor::RecordEditor(ProgramState& state, QString employeeId, qint32 startDay)
    : m_state(state)
    , m_employeeId(employeeId.trimmed())
    , m_startDay(startDay)
    , m_currentDay(startDay)
{
    // What an insert writes before any record was shown: the name the staff data gives the ID,
    // or the single blank of a clock without employee database.
    m_currentName = QStringLiteral(" ");
    for (const Employee& e : std::as_const(m_state.employees.entries)) {
        if (m_state.useSchedulingLink &&
            e.employeeId.trimmed().compare(m_employeeId, Qt::CaseInsensitive) == 0) {
            m_currentName = e.name;
            m_currentDepartment = e.departmentNumber;
            break;
        }
    }
}

QString RecordEditor::caption() const
{
    return RecordTexts::caption(m_employeeId, m_startDay, QLocale());
}

QString RecordEditor::noRecordsText() const
{
    return RecordTexts::noRecordsText(m_employeeId, m_startDay, QLocale());
}

bool RecordEditor::tipsAsked() const
{
    return m_state.settings.reportTips;
}

const QList<RecordEditor::Entry>& RecordEditor::reload()
{
    m_entries.clear();
    const QList<ClockRecord> records =
        RecordTexts::inListOrder(RecordEdits(m_state.database).forEmployee(m_employeeId, m_startDay));
    for (const ClockRecord& r : records)
        m_entries.append({RecordTexts::listLine(r, m_state.settings.clock12Hour), r.recordNumber});
    return m_entries;
}

int RecordEditor::indexOf(qint64 recordNumber) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).recordNumber == recordNumber)
            return i;
    }
    return -1;
}

QString RecordEditor::picturePath(qint64 recordNumber) const
{
    return PictureText::fileName(m_state.paths, recordNumber);
}

std::optional<RecordEditor::Shown> RecordEditor::show(qint64 recordNumber)
{
    const std::optional<ClockRecord> record = RecordEdits(m_state.database).find(recordNumber);
    if (!record)
        return std::nullopt;
    const bool clock12 = m_state.settings.clock12Hour;
    Shown shown;
    shown.name = record->employee;
    shown.employeeId = record->employeeId;
    shown.departmentNumber = record->dnumber;
    shown.clockOut = record->clockOut;
    shown.tips = RecordTexts::tipsBoxText(record->tips);
    shown.created = QStringLiteral("Created on : ") +
                    (record->created.isValid()
                         ? TimeText::generalDateTime(record->created, m_state.settings.clock12Hour, QLocale())
                         : QStringLiteral("Not Available"));
    shown.time = RecordTexts::timeBoxText(record->time, clock12);
    const QString picture = picturePath(recordNumber);
    if (QFileInfo::exists(picture))
        shown.picture = picture;
    shown.day = record->julian;

    m_currentRecord = recordNumber;
    m_currentName = record->employee;
    m_currentDepartment = record->dnumber;
    m_currentSeconds = record->time.time().second();
    m_currentDay = record->julian;
    return shown;
}

EditStamp RecordEditor::stamp() const
{
    return {m_state.time.now(), EditHistory::workstationUser()};
}

RecordEditor::Outcome RecordEditor::save(const Input& input)
{
    const bool clock12 = m_state.settings.clock12Hour;
    const QDate day = DayNumber::toDate(m_currentDay);
    const std::optional<QDateTime> time =
        RecordTexts::savedTime(input.timeText, clock12, day, m_currentSeconds);
    if (!time)
        return failed(saveFormatMessage, true, true);
    QString prepared = timeMessage;
    try {
        RecordEdits edits(m_state.database);
        std::optional<ClockRecord> record = edits.find(m_currentRecord);
        if (!record)
            return failed(prepared);
        record->julian = m_currentDay;
        record->time = *time;
        record->dnumber = m_currentDepartment;
        record->options = static_cast<qint16>(input.doNotMarkEdited ? Mark::Normal : Mark::Edited);
        record->clockOut = input.clockOut;
        if (!input.clockOut) {
            record->tips = Money();
        } else if (tipsAsked() && !input.tipsText.trimmed().isEmpty()) {
            prepared = currencyMessage;
            record->tips = RecordTexts::tipsValue(input.tipsText.trimmed());
            if (!record->tips)
                return failed(prepared);
        }
        if (!edits.update(*record, stamp()))
            return failed(prepared);
        reload();
    } catch (const DatabaseError&) {
        return failed(prepared);
    }
    return {true, {}, false, false};
}

RecordEditor::Outcome RecordEditor::insert(const Input& input)
{
    const std::optional<QDateTime> time = RecordTexts::insertedTime(
        input.timeText, m_state.settings.clock12Hour, DayNumber::toDate(m_currentDay));
    if (!time)
        return failed(timeMessage, false, true);
    QString prepared = timeMessage;
    try {
        ClockRecord record;
        record.julian = m_currentDay;
        record.employee = m_currentName;
        record.employeeId = m_employeeId;
        record.time = *time;
        record.created = m_state.time.now();
        record.dnumber = m_currentDepartment;
        record.options = static_cast<qint16>(Mark::Inserted);
        record.clockOut = input.clockOut;
        if (!input.clockOut) {
            record.tips = Money();
        } else if (tipsAsked() && !input.tipsText.trimmed().isEmpty()) {
            prepared = currencyMessage;
            record.tips = RecordTexts::tipsValue(input.tipsText.trimmed());
            if (!record.tips)
                return failed(prepared);
        }
        RecordEdits(m_state.database).insert(record, stamp());
        reload();
    } catch (const DatabaseError&) {
        return failed(prepared);
    }
    return {true, {}, false, false};
}

bool RecordEditor::remove()
{
    if (m_currentRecord <= 0)
        return false;
    const qint64 number = m_currentRecord;
    try {
        if (!RecordEdits(m_state.database).remove(number, stamp()))
            return false;
    } catch (const DatabaseError&) {
        return false;
    }
    // The picture goes only once its record is gone for good.
    QFile::remove(picturePath(number));
    m_currentRecord = 0;
    try {
        reload();
    } catch (const DatabaseError&) {
    }
    return true;
}
