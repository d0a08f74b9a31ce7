#pragma once

#include "clock/PanelLook.h"
#include "clock/ScheduleCheck.h"
#include "store/ClockRecord.h"
#include "store/ClockRecords.h"

#include <QDateTime>
#include <QString>
#include <optional>

class StationLink;
class WaitingPunches;
struct Services;
class Session;
struct SettingsRecord;
struct StaffRow;

// One punch from the typed ID to the appended record: lookups, direction, schedule check and the
// record written. Knows nothing of widgets; the clock screen shows what it decides.
class Punch {
public:
    enum class Stage { Ignored, NotFound, Shown };

    // Every '*' a blank, then the stored form of an employee ID.
    static QString normaliseId(const QString& typed);
    // Whether the tips box takes a typed character: digits, one point, at most four decimals.
    static bool acceptsTipsChar(const QString& tipsText, QChar typed);
    // Calendar minutes between two moments (both cut to the minute) as hours and two-digit minutes.
    static QString elapsedText(const QDateTime& from, const QDateTime& to);

    // Runs the punch up to the confirmation: nothing is written yet. With a link, the staff and the
    // latest punch come through it, so a station without its server still decides.
    // On the file, punches waiting in the station's queue are later than anything stored.
    static Punch begin(const Services& services, Session& session, const QString& typed,
                       StationLink* link = nullptr, WaitingPunches* waiting = nullptr);
    // The punch of a normalised ID whose lookups are done: `staff` is the employee's row, null
    // without an employee database; `latest` the employee's latest punch, if any.
    static Punch decide(const QString& id, const StaffRow* staff,
                        const std::optional<ClockRecords::LatestPunch>& latest, const QDateTime& now,
                        const SettingsRecord& settings);
    // As begin(), for what a card or barcode reader sent: the employee whose badge it is, else an ID
    // as typed; a reading that is neither is refused on the panel with the card's number.
    static Punch beginCard(const Services& services, Session& session, const QString& read,
                           StationLink* link = nullptr, WaitingPunches* waiting = nullptr);
    // The punch of an ID the employee database does not know.
    static Punch notFound(const QString& id, const QString& notFoundText);
    // A punch refused before any employee is known: `line` on the panel in the reject colour.
    static Punch refused(const QString& line, const SettingsRecord& settings);

    // The least time a refusal of the guard or of an unknown card stays up: long enough to read,
    // whatever the display times of punches.
    static constexpr int refusalSeconds = 2;

    Stage stage() const { return m_stage; }
    const QString& id() const { return m_id; }
    // "ID " + ID + two blanks + the not-found text.
    QString notFoundMessage() const;
    bool isClockOut() const { return m_clockOut; }
    bool isRejected() const { return m_verdict.outcome == PunchOutcome::Reject; }
    bool asksForTips() const { return m_asksTips; }
    const QString& employeeName() const { return m_employeeName; }
    const QDateTime& punchTime() const { return m_punchTime; }
    const std::optional<QDateTime>& lastInTime() const { return m_lastIn; }
    const PanelLook& look() const { return m_look; }
    const ScheduleCheck::Verdict& verdict() const { return m_verdict; }
    int displaySeconds() const { return m_displaySeconds; }
    // "In", "Out" or "Error".
    QString soundName() const;

    // Appends the clock record the panel showed, stamped with the current time, and returns its
    // record number; 0 when the link queued it.
    qint64 record(const Services& services, Session& session, const QString& tipsText,
                  StationLink* link = nullptr) const;
    // The clock record the panel showed, stamped with the given moment.
    ClockRecord recordAt(const Session& session, const QString& tipsText, const QDateTime& now) const;

private:
    Stage m_stage = Stage::Ignored;
    QString m_id;
    QString m_notFoundText;
    bool m_clockOut = false;
    bool m_asksTips = false;
    QString m_employeeName;
    qint32 m_departmentNumber = 0;
    qint16 m_start = 0;
    qint16 m_stop = 0;
    QDateTime m_punchTime;
    std::optional<QDateTime> m_lastIn;
    ScheduleCheck::Verdict m_verdict;
    PanelLook m_look;
    int m_displaySeconds = 0;
};
