#include "store/HistoryWords.h"

#include "store/EmployeeId.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {
// A stored row as the history keeps it.
QString row(const char* time, bool out, int options, std::optional<qint64> tips = std::nullopt,
            int dnumber = 1)
{
    QJsonObject o;
    o.insert(QStringLiteral("Time"), QString::fromLatin1(time));
    o.insert(QStringLiteral("Employee ID"), QStringLiteral("E1"));
    o.insert(QStringLiteral("Clock out"), out ? 1 : 0);
    o.insert(QStringLiteral("Julian"), 46365);
    o.insert(QStringLiteral("Tips"), tips ? QJsonValue(*tips) : QJsonValue(QJsonValue::Null));
    o.insert(QStringLiteral("Dnumber"), dnumber);
    o.insert(QStringLiteral("Options"), options);
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

HistoryEntry entry(const QString& action, const QString& before, const QString& after,
                   const char* details = "")
{
    HistoryEntry e;
    e.action = action;
    e.oldValues = before;
    e.newValues = after;
    e.details = QString::fromLatin1(details);
    return e;
}
} // namespace

TEST(HistoryWords, SaysWhatAnEntryChangedAsAManagerReadsIt)
{
    const struct {
        HistoryEntry entry;
        bool clock12;
        const char* words;
    } cases[] = {
        {entry(EditHistory::edited, row("2026-12-09 16:02:00", true, 0), row("2026-12-09 12:00:00", true, 1)),
         false, "Time 16:02 \u2192 12:00, Edited"},
        {entry(EditHistory::edited, row("2026-12-09 16:02:00", true, 0), row("2026-12-09 12:00:00", true, 1)),
         true, "Time 04:02 PM \u2192 12:00 PM, Edited"},
        // No tips and tips of 0 are one meaning; the mark was already Edited.
        {entry(EditHistory::edited, row("2026-12-09 08:00:00", false, 1),
               row("2026-12-10 08:00:00", false, 1, 0)),
         false, "Time Wed 09-Dec-26 08:00 \u2192 Thu 10-Dec-26 08:00"},
        {entry(EditHistory::edited, row("2026-12-09 17:00:00", false, 5),
               row("2026-12-09 17:00:00", true, 0, 25000, 2)),
         false, "In \u2192 Out, Tips none \u2192 2.50, Department 1 \u2192 2, mark In late removed"},
        {entry(EditHistory::edited, row("2026-12-09 17:00:00", true, 1), row("2026-12-09 17:00:00", true, 1)),
         false, "Saved without a change"},
        {entry(EditHistory::inserted, {}, row("2026-12-09 17:30:00", true, 2)), false,
         "Inserted: Wed 09-Dec-26 17:30 Out Inserted"},
        {entry(EditHistory::deleted, row("2026-12-09 09:01:00", true, 3), {}), false,
         "Deleted: Wed 09-Dec-26 09:01 Out Forced"},
        {entry(EditHistory::removedOldRecords, {}, {}, R"({"before":"2026-03-01","count":12})"), false,
         "Removed 12 records before 2026-03-01"},
        {entry(EditHistory::purgedHistory, {}, {}, R"({"anchor":"x","before":"2026-03-01","count":3})"),
         false, "Removed 3 history entries before 2026-03-01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HistoryWords::change(c.entry, c.clock12), QString::fromUtf8(c.words)) << c.words;
}

TEST(EmployeeId, TrimsAndUpperCasesOneCharacterForOne)
{
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {" ann1 ", "ANN1", true}, {"o'neil", "O'NEIL", true}, {"é1", "É1", true},   {"ß1", "SS1", false},
        {"ß1", "ß1", true},       {"ﬁ1", "FI1", false},       {"A 1", "A1", false}, {"", " ", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EmployeeId::same(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.same)
            << c.a << "/" << c.b;
        // The stored form has as many characters as the trimmed text.
        EXPECT_EQ(EmployeeId::normalised(QString::fromUtf8(c.a)).size(),
                  QString::fromUtf8(c.a).trimmed().size());
    }
}
