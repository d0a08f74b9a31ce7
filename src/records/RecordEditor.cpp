#include "records/RecordEditor.h"

#include "clock/PictureText.h"
#include "clock/PunchSequence.h"
#include "platform/TimeSource.h"
#include "records/RecordTexts.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "settings/TimeText.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"
#include "store/HistoryWords.h"
#include "store/PeriodStates.h"
#include "store/RecordEdits.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <limits>

const QString RecordEditor::saveFormatMessage =
    QStringLiteral("\nRecord did not save...\n\nCheck the date and time format..");
const QString RecordEditor::timeMessage = QStringLiteral("Error in date or time format..");
const QString RecordEditor::currencyMessage = QStringLiteral("Error in Currency field....");
const QString RecordEditor::notDeletedMessage = QStringLiteral("The record could not be deleted.");
const QString RecordEditor::noRecordMessage =
    QStringLiteral("No record is shown, so nothing was saved.\nClick a record in the list, change it and "
                   "press Save again.");

namespace {
RecordEditor::Outcome failed(const QString& message, bool beep = false, bool focusTime = false)
{
    return {false, message, beep, focusTime};
}

RecordEditor::Outcome lockedOut(const LockedDayError& locked)
{
    RecordEditor::Outcome outcome = failed(locked.message(), true);
    outcome.lockedDay = true;
    return outcome;
}
} // namespace

RecordEditor::RecordEditor(const Services& services, Session& session, QString employeeId, qint32 startDay)
    : m_services(services)
    , m_session(session)
    , m_employeeId(employeeId.trimmed())
    , m_startDay(startDay)
    , m_currentDay(startDay)
{
    // What an insert writes before any record was shown: the name the staff data gives the ID,
    // or the single blank of a clock without employee database.
    m_currentName = QStringLiteral(" ");
    for (const Employee& e : std::as_const(m_session.employees().entries)) {
        if (m_session.hasEmployeeDatabase() && EmployeeId::same(e.employeeId, m_employeeId)) {
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
    return m_session.settings().reportTips;
}

const QList<RecordEditor::Entry>& RecordEditor::reload()
{
    m_entries.clear();
    const QList<ClockRecord> records =
        RecordTexts::inListOrder(RecordEdits(m_services.database).forEmployee(m_employeeId, m_startDay));
    for (const ClockRecord& r : records)
        m_entries.append({RecordTexts::listLine(r, m_session.settings().clock12Hour), r.recordNumber});
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
    return PictureText::fileName(m_session.paths(), recordNumber);
}

std::optional<RecordEditor::Shown> RecordEditor::show(qint64 recordNumber)
{
    const std::optional<ClockRecord> record = RecordEdits(m_services.database).find(recordNumber);
    if (!record)
        return std::nullopt;
    const bool clock12 = m_session.settings().clock12Hour;
    Shown shown;
    shown.name = record->employee;
    shown.employeeId = record->employeeId;
    shown.departmentNumber = record->dnumber;
    shown.clockOut = record->clockOut;
    shown.tips = RecordTexts::tipsBoxText(record->tips);
    shown.created =
        QStringLiteral("Created on : ") +
        (record->created.isValid()
             ? TimeText::generalDateTime(record->created, m_session.settings().clock12Hour, QLocale())
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

EditStamp RecordEditor::stamp(const QString& reason) const
{
    return {m_services.time.now(), EditHistory::workstationUser(), reason.trimmed()};
}

RecordEditor::Outcome RecordEditor::save(const Input& input)
{
    // After a delete the detail area shows a record that is gone; saving it must not look done.
    if (m_currentRecord <= 0)
        return failed(noRecordMessage, true);
    const std::optional<QDateTime> time = RecordTexts::savedTime(
        input.timeText, m_session.settings().clock12Hour, DayNumber::toDate(m_currentDay), m_currentSeconds);
    if (!time)
        return failed(saveFormatMessage, true, true);
    const std::optional<std::optional<Money>> tips = typedTips(input);
    if (!tips)
        return failed(currencyMessage);
    return saveRecord({*time, input.clockOut, {}, false}, *tips, !input.doNotMarkEdited);
}

RecordEditor::Outcome RecordEditor::insert(const Input& input)
{
    const std::optional<QDateTime> time = RecordTexts::insertedTime(
        input.timeText, m_session.settings().clock12Hour, DayNumber::toDate(m_currentDay));
    if (!time)
        return failed(timeMessage, false, true);
    const std::optional<std::optional<Money>> tips = typedTips(input);
    if (!tips)
        return failed(currencyMessage);
    return insertRecord({*time, input.clockOut, {}, false}, *tips);
}

std::optional<std::optional<Money>> RecordEditor::typedTips(const Input& input) const
{
    if (!input.clockOut || !tipsAsked() || input.tipsText.trimmed().isEmpty())
        return std::optional<Money>();
    const std::optional<Money> tips = RecordTexts::tipsValue(input.tipsText.trimmed());
    if (!tips)
        return std::nullopt;
    return tips;
}

RecordEditor::Outcome RecordEditor::saveRecord(const Given& given, std::optional<Money> tips, bool markEdited)
{
    try {
        RecordEdits edits(m_services.database);
        std::optional<ClockRecord> record = edits.find(m_currentRecord);
        if (!record)
            return failed(noRecordMessage, true);
        record->julian = DayNumber::of(given.time);
        record->time = given.time;
        record->dnumber = m_currentDepartment;
        record->options = static_cast<qint16>(markEdited ? Mark::Edited : Mark::Normal);
        record->clockOut = given.clockOut;
        if (!given.clockOut)
            record->tips = Money();
        else if (tips)
            record->tips = tips;
        if (!edits.update(*record, stamp(given.reason)))
            return failed(noRecordMessage, true);
        reload();
    } catch (const LockedDayError& locked) {
        return lockedOut(locked);
    } catch (const DatabaseError&) {
        return failed(tips ? currencyMessage : timeMessage);
    }
    return {true, {}, false, false};
}

RecordEditor::Outcome RecordEditor::insertRecord(const Given& given, std::optional<Money> tips)
{
    try {
        ClockRecord record;
        record.julian = DayNumber::of(given.time);
        record.employee = m_currentName;
        // Stored as the clock would store it, so the employee's punches and inserts are one sequence.
        record.employeeId = EmployeeId::normalised(m_employeeId);
        record.time = given.time;
        record.created = m_services.time.now();
        record.dnumber = m_currentDepartment;
        record.options = static_cast<qint16>(Mark::Inserted);
        record.clockOut = given.clockOut;
        record.tips = given.clockOut ? tips : Money();
        m_lastInserted = RecordEdits(m_services.database).insert(record, stamp(given.reason));
        reload();
    } catch (const LockedDayError& locked) {
        return lockedOut(locked);
    } catch (const DatabaseError&) {
        return failed(tips ? currencyMessage : timeMessage);
    }
    return {true, {}, false, false};
}

RecordEditor::Outcome RecordEditor::remove(const QString& reason)
{
    if (m_currentRecord <= 0)
        return failed(notDeletedMessage);
    const qint64 number = m_currentRecord;
    try {
        if (!RecordEdits(m_services.database).remove(number, stamp(reason)))
            return failed(notDeletedMessage);
    } catch (const LockedDayError& locked) {
        return lockedOut(locked);
    } catch (const DatabaseError&) {
        return failed(notDeletedMessage);
    }
    // The picture goes only once its record is gone for good.
    QFile::remove(picturePath(number));
    m_currentRecord = 0;
    try {
        reload();
    } catch (const DatabaseError&) {
    }
    return {true, {}, false, false};
}

RecordEditor::Outcome RecordEditor::apply(Write write, const Given& given)
{
    QList<qint32> days; // the days the write touches
    if (write == Write::Insert) {
        m_currentDay = DayNumber::of(given.time);
    } else if (m_currentRecord <= 0) {
        return failed(noRecordMessage);
    } else {
        days.append(m_currentDay);
    }
    if (write != Write::Delete)
        days.append(DayNumber::of(given.time));
    // A locked day is the firmer refusal: forcing the sequence would not get past it.
    PeriodStates periods(m_services.database);
    for (const qint32 day : std::as_const(days)) {
        if (const std::optional<DayRange> locked = periods.lockedHolding(day))
            return lockedOut(LockedDayError(*locked));
    }
    if (!given.force) {
        const QString problem = sequenceProblem(write, given.time, given.clockOut);
        if (!problem.isEmpty()) {
            Outcome outcome = failed(problem);
            outcome.sequence = true;
            return outcome;
        }
    }
    switch (write) {
    case Write::Save:
        return saveRecord(given, std::nullopt, true);
    case Write::Insert:
        return insertRecord(given, std::nullopt);
    case Write::Delete:
        return remove(given.reason);
    }
    return failed(noRecordMessage);
}

QString RecordEditor::currentRecordText()
{
    if (m_currentRecord <= 0)
        return {};
    const std::optional<ClockRecord> record = RecordEdits(m_services.database).find(m_currentRecord);
    return record ? HistoryWords::recordText(*record, m_session.settings().clock12Hour) : QString();
}

QString RecordEditor::sequenceQuestion(Write write, const Input& input)
{
    const bool clock12 = m_session.settings().clock12Hour;
    if (write != Write::Insert && m_currentRecord <= 0)
        return {};
    std::optional<QDateTime> time;
    if (write == Write::Save)
        time = RecordTexts::savedTime(input.timeText, clock12, DayNumber::toDate(m_currentDay),
                                      m_currentSeconds);
    else if (write == Write::Insert)
        time = RecordTexts::insertedTime(input.timeText, clock12, DayNumber::toDate(m_currentDay));
    if (write != Write::Delete && !time)
        return {};
    // A write the lock refuses anyway is not worth a question whose answer changes nothing.
    PeriodStates periods(m_services.database);
    if ((write != Write::Insert && periods.lockedHolding(m_currentDay)) ||
        (time && periods.lockedHolding(DayNumber::of(*time))))
        return {};
    const QString problem = sequenceProblem(write, time, input.clockOut);
    if (problem.isEmpty())
        return {};
    static const char* const verbs[] = {"Save", "Insert", "Delete"};
    return problem + QStringLiteral(" %1 anyway?").arg(QString::fromLatin1(verbs[static_cast<int>(write)]));
}

QString RecordEditor::sequenceProblem(Write write, const std::optional<QDateTime>& time, bool clockOut)
{
    const bool clock12 = m_session.settings().clock12Hour;
    if (write != Write::Insert && m_currentRecord <= 0)
        return {};
    // Every record of the employee in time order with the write applied; a new record goes after
    // one of the same time, as its higher number would put it.
    QList<ClockRecord> records = RecordEdits(m_services.database).forEmployee(m_employeeId, 0);
    const qint64 changed = write == Write::Insert ? std::numeric_limits<qint64>::max() : m_currentRecord;
    if (write == Write::Insert) {
        ClockRecord added;
        added.recordNumber = changed;
        records.append(added);
    }
    for (ClockRecord& r : records) {
        if (r.recordNumber == changed && time) {
            r.time = *time;
            r.clockOut = clockOut;
        }
    }
    std::stable_sort(records.begin(), records.end(), [](const ClockRecord& a, const ClockRecord& b) {
        return PunchSequence::runsBefore(a.time, a.recordNumber, b.time, b.recordNumber);
    });
    qsizetype at = -1;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (records[i].recordNumber == changed)
            at = i;
    }
    if (at < 0)
        return {};

    // The pairs the write makes neighbours: the record and each side, or the two sides of a
    // deleted one.
    QList<std::pair<qsizetype, qsizetype>> pairs;
    if (write == Write::Delete)
        pairs.append({at - 1, at + 1});
    else
        pairs = {{at - 1, at}, {at, at + 1}};
    for (const auto& [first, second] : pairs) {
        if (first < 0 || second >= records.size())
            continue;
        const ClockRecord& a = records[first];
        const ClockRecord& b = records[second];
        if (PunchSequence::between(a.clockOut, b.clockOut) == PunchSequence::Break::None)
            continue;
        const QString secondText = a.time.date() == b.time.date() ? RecordTexts::timeBoxText(b.time, clock12)
                                                                  : HistoryWords::momentText(b.time, clock12);
        return QStringLiteral("This leaves two %1 records in a row (%2 and %3).")
            .arg(a.clockOut ? QStringLiteral("OUT") : QStringLiteral("IN"),
                 HistoryWords::momentText(a.time, clock12), secondText);
    }
    return {};
}
