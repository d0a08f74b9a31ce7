#pragma once

#include "store/ClockRecord.h"
#include "store/EditHistory.h"

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
    };

    static const QString saveFormatMessage;
    static const QString timeMessage;
    static const QString currencyMessage;
    static const QString noRecordMessage;

    enum class Write { Save, Insert, Delete };

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
    // Deletes the record last shown and its picture. False when there was none or it failed.
    bool remove();
    // The record shown in the detail area as a message names it; empty when none is shown.
    QString currentRecordText();
    // The Yes/No question to ask before the write when it would leave two INs or two OUTs next to
    // each other among the employee's records (neighbours on other days included); empty when the
    // sequence stays alternating or the typed time is not one.
    QString sequenceQuestion(Write write, const Input& input);

    QString picturePath(qint64 recordNumber) const;

private:
    EditStamp stamp() const;

    const Services& m_services;
    Session& m_session;
    QString m_employeeId;
    qint32 m_startDay = 0;
    QList<Entry> m_entries;
    qint64 m_currentRecord = 0;
    qint32 m_currentDay = 0;
    int m_currentSeconds = 0;
    qint32 m_currentDepartment = 0;
    QString m_currentName;
};
