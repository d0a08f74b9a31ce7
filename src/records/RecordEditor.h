#pragma once

#include "store/ClockRecord.h"
#include "store/EditHistory.h"
#include "store/Money.h"

#include <QList>
#include <QString>
#include <optional>

struct Services;
class Session;

// The record editor's working state and its operations on one employee's clock records, for the
// editor window and for tests without one.
class RecordEditor {
public:
    struct Entry {
        QString line;
        qint64 recordNumber = 0;
    };
    // What the detail area shows of one record.
    struct Shown {
        QString name;
        QString employeeId;
        qint32 departmentNumber = 0;
        bool clockOut = false;
        QString tips;
        QString created;
        QString time;
        QString picture; // the punch picture's path; empty when there is none
        qint32 day = 0;
    };
    // The values of the detail area a save or an insert writes.
    struct Input {
        QString timeText;
        bool clockOut = false;
        QString tipsText;
        bool doNotMarkEdited = false;
    };
    struct Outcome {
        bool done = false;
        QString message; // shown when not done
        bool beep = false;
        bool focusTime = false; // the time box takes the focus
        bool lockedDay = false; // refused: the day lies in a locked pay period
        bool sequence = false;  // refused: two INs or two OUTs in a row, and not forced
    };

    static const QString saveFormatMessage;
    static const QString timeMessage;
    static const QString currencyMessage;
    static const QString noRecordMessage;
    static const QString notDeletedMessage;

    enum class Write { Save, Insert, Delete };
    // A write given as a moment rather than typed text, as the command line gives it.
    struct Given {
        QDateTime time; // for a delete, unused
        bool clockOut = false;
        QString reason;     // kept in the history entry
        bool force = false; // write even when it leaves two INs or two OUTs in a row
    };

    RecordEditor(const Services& services, Session& session, QString employeeId, qint32 startDay);

    const QString& employeeId() const { return m_employeeId; }
    qint32 startDay() const { return m_startDay; }
    QString caption() const;
    QString noRecordsText() const;
    bool tipsAsked() const;

    // Builds the list from the start day on. Database errors are thrown.
    const QList<Entry>& reload();
    const QList<Entry>& entries() const { return m_entries; }
    int indexOf(qint64 recordNumber) const;

    // Makes the record current and returns what the detail area shows; nothing when it is gone.
    std::optional<Shown> show(qint64 recordNumber);
    qint64 currentRecord() const { return m_currentRecord; }
    qint32 currentDay() const { return m_currentDay; }
    void setCurrentDay(qint32 day) { m_currentDay = day; }
    qint32 currentDepartment() const { return m_currentDepartment; }
    void setCurrentDepartment(qint32 number) { m_currentDepartment = number; }
    int currentSeconds() const { return m_currentSeconds; }

    // Each write is one transaction with its history entry; the list is reloaded after it.
    Outcome save(const Input& input);
    Outcome insert(const Input& input);
    // Deletes the record last shown and its picture. A write refused on a locked day says why.
    Outcome remove(const QString& reason = {});
    // Inserts a record at the given moment, or saves or deletes the record last shown, with the
    // window's rules; where the window would ask about two INs or two OUTs in a row, refuses
    // unless forced. A save marks the record edited and keeps its tips.
    Outcome apply(Write write, const Given& given);
    // The record number of the last insert.
    qint64 lastInserted() const { return m_lastInserted; }
    // The record shown in the detail area as a message names it; empty when none is shown.
    QString currentRecordText();
    // The Yes/No question to ask before the write when it would leave two INs or two OUTs next to
    // each other among the employee's records (neighbours on other days included); empty when the
    // sequence stays alternating or the typed time is not one.
    QString sequenceQuestion(Write write, const Input& input);
    // The same finding as a statement ("This leaves two IN records in a row (...)."); empty when the
    // sequence stays alternating. A delete needs no time.
    QString sequenceProblem(Write write, const std::optional<QDateTime>& time, bool clockOut);

    QString picturePath(qint64 recordNumber) const;

private:
    EditStamp stamp(const QString& reason = {}) const;
    // The typed tips: nothing when they are not a valid amount, an empty amount when none is
    // asked for or typed.
    std::optional<std::optional<Money>> typedTips(const Input& input) const;
    Outcome saveRecord(const Given& given, std::optional<Money> tips, bool markEdited);
    Outcome insertRecord(const Given& given, std::optional<Money> tips);

    const Services& m_services;
    Session& m_session;
    QString m_employeeId;
    qint32 m_startDay = 0;
    QList<Entry> m_entries;
    qint64 m_currentRecord = 0;
    qint64 m_lastInserted = 0;
    qint32 m_currentDay = 0;
    int m_currentSeconds = 0;
    qint32 m_currentDepartment = 0;
    QString m_currentName;
};
