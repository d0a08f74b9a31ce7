// The pay periods' review on a real database, on the file and on a server: the rows a manager
// checks, the questions before approving and locking, and the actions' stored results.
#include "BackendTest.h"
#include "PeriodReviewFixture.h"
#include "store/PeriodStates.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

namespace {
using State = StoredPeriod::State;

class PeriodReviewTest : public BackendTest {};

QSet<QString> approvedIds(const PeriodReview& review)
{
    QSet<QString> ids;
    for (const ReviewRow& row : review.rows())
        if (row.approved)
            ids.insert(row.id);
    return ids;
}

qsizetype questions(const FakeMessageBoxes& messages)
{
    return std::count_if(messages.shown.cbegin(), messages.shown.cend(),
                         [](const auto& m) { return m.icon == MessageBoxes::Icon::Question; });
}
} // namespace

TEST_P(PeriodReviewTest, RowsJoinPayExceptionsAndStaffNames)
{
    PeriodReviewFixture f(backend());
    f.exceptions = {{QStringLiteral("b2"), QStringLiteral("Cole Bob"), 2},
                    {QStringLiteral("d4"), QStringLiteral("Dee"), 1}};
    PeriodReview review(f.services, f.session, f.counts());
    ASSERT_TRUE(review.refresh());
    ASSERT_TRUE(review.choose(PeriodReviewFixture::firstPeriod()));
    EXPECT_EQ(f.askedFor, QList<PayPeriod>{PeriodReviewFixture::firstPeriod()});

    // Ann's records carry no name, so the staff list names her; Dee has only an exception.
    const QList<ReviewRow>& rows = review.rows();
    ASSERT_EQ(rows.size(), 3);
    struct Expected {
        const char* id;
        const char* name;
        PayMinutes paid;
        const char* gross;
        int exceptions;
    };
    const Expected expected[] = {
        {"A1", "Baker Ann", {2400, 300, 0}, "950.00", 0},
        {"B2", "Cole Bob", {480, 0, 0}, "160.00", 2},
        {"D4", "Dee", {}, "0.00", 1},
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].id);
        EXPECT_EQ(rows[i].id, QString::fromLatin1(expected[i].id));
        EXPECT_EQ(rows[i].name, QString::fromLatin1(expected[i].name));
        EXPECT_EQ(rows[i].paid, expected[i].paid);
        EXPECT_EQ(rows[i].gross.toFixed(2), QString::fromLatin1(expected[i].gross));
        EXPECT_EQ(rows[i].exceptions, expected[i].exceptions);
        EXPECT_FALSE(rows[i].approved);
    }
}

TEST_P(PeriodReviewTest, ActionsAskWhereTheyMustAndStoreTheirResult)
{
    enum class Act { Approve, ApproveAll, Lock, Reopen };
    struct Step {
        Act act;
        const char* arg = "";
    };
    struct Case {
        const char* name;
        bool bobHasExceptions;
        QList<Step> steps;
        QList<MessageBoxes::Answer> answers;
        qsizetype asked;
        State state;
        QSet<QString> approved;
        const char* told = nullptr; // a refusal shown
    };
    using A = MessageBoxes::Answer;
    const QSet<QString> both{QStringLiteral("A1"), QStringLiteral("B2")};
    const Case cases[] = {
        {"a row with exceptions asks; No leaves it",
         true,
         {{Act::Approve, "b2"}},
         {A::No},
         1,
         State::Open,
         {}},
        {"a row with exceptions asks; Yes approves it",
         true,
         {{Act::Approve, "b2"}},
         {A::Yes},
         1,
         State::PartlyApproved,
         {QStringLiteral("B2")}},
        {"a clean row approves at once",
         true,
         {{Act::Approve, "a1"}},
         {},
         0,
         State::PartlyApproved,
         {QStringLiteral("A1")}},
        {"approve all asks when a row has exceptions",
         true,
         {{Act::ApproveAll}},
         {A::No},
         1,
         State::Open,
         {}},
        {"approve all without exceptions approves everyone",
         false,
         {{Act::ApproveAll}},
         {},
         0,
         State::Approved,
         both},
        {"lock with rows not approved asks; No keeps it open",
         false,
         {{Act::Approve, "a1"}, {Act::Lock}},
         {A::No},
         1,
         State::PartlyApproved,
         {QStringLiteral("A1")}},
        {"lock with rows not approved asks; Yes locks", false, {{Act::Lock}}, {A::Yes}, 1, State::Locked, {}},
        {"lock after each row was approved does not ask",
         false,
         {{Act::Approve, "a1"}, {Act::Approve, "b2"}, {Act::Lock}},
         {},
         0,
         State::Locked,
         both},
        {"reopen with a blank reason is refused",
         false,
         {{Act::ApproveAll}, {Act::Lock}, {Act::Reopen, "  "}},
         {},
         0,
         State::Locked,
         both,
         "Reopening a pay period needs a reason."},
        {"reopen with a reason forgets approvals and lock",
         false,
         {{Act::ApproveAll}, {Act::Lock}, {Act::Reopen, "Bob's Tuesday was wrong"}},
         {},
         0,
         State::Open,
         {}},
        {"a locked period refuses another approval",
         false,
         {{Act::Lock}, {Act::Approve, "a1"}},
         {A::Yes},
         1,
         State::Locked,
         {},
         "The pay period 2 Nov 2026 - 15 Nov 2026 is locked."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PeriodReviewFixture f(backend());
        if (c.bobHasExceptions)
            f.exceptions = {{QStringLiteral("B2"), QStringLiteral("Cole Bob"), 1}};
        f.messages.answers = c.answers;
        PeriodReview review(f.services, f.session, f.counts());
        ASSERT_TRUE(review.refresh());
        ASSERT_TRUE(review.choose(PeriodReviewFixture::firstPeriod()));
        for (const Step& step : c.steps) {
            const QString arg = QString::fromUtf8(step.arg);
            switch (step.act) {
            case Act::Approve:
                review.approve(arg);
                break;
            case Act::ApproveAll:
                review.approveAll();
                break;
            case Act::Lock:
                review.lock();
                break;
            case Act::Reopen:
                review.reopen(arg);
                break;
            }
        }
        EXPECT_EQ(questions(f.messages), c.asked);
        EXPECT_EQ(review.state(), c.state);
        EXPECT_EQ(approvedIds(review), c.approved);
        // The list beside shows the stored state too.
        ASSERT_FALSE(review.periods().isEmpty());
        EXPECT_EQ(review.periods()[1].days, PeriodReviewFixture::firstPeriod());
        EXPECT_EQ(review.periods()[1].state, c.state);
        if (c.told) {
            ASSERT_FALSE(f.messages.shown.isEmpty());
            EXPECT_EQ(f.messages.shown.last().text, QString::fromUtf8(c.told));
        }
    }
}

TEST_P(PeriodReviewTest, ListRunsFromTheCurrentPeriodBackAndKeepsStoredOnes)
{
    PeriodReviewFixture f(backend());
    const EditStamp stamp{f.time.now(), QStringLiteral("test")};
    // Locked under an earlier monthly rule: it stays as it was.
    PeriodStates(f.database()).lock({QDate(2025, 6, 1), QDate(2025, 6, 30)}, stamp);
    PeriodStates(f.database()).approve({QDate(2026, 11, 2), QDate(2026, 11, 15)}, {}, stamp);

    PeriodReview review(f.services, f.session, f.counts());
    ASSERT_TRUE(review.refresh());
    const QList<ReviewPeriod>& periods = review.periods();
    ASSERT_GE(periods.size(), 27);
    EXPECT_EQ(periods[0].days, (PayPeriod{QDate(2026, 11, 16), QDate(2026, 11, 29)}));
    EXPECT_EQ(periods[0].state, State::Open);
    EXPECT_EQ(periods[1].state, State::Approved);
    EXPECT_EQ(periods.last().days, (PayPeriod{QDate(2025, 6, 1), QDate(2025, 6, 30)}));
    EXPECT_EQ(periods.last().state, State::Locked);
    for (qsizetype i = 1; i < periods.size(); ++i)
        EXPECT_LT(periods[i].days.last, periods[i - 1].days.first) << i;
}

TEST_P(PeriodReviewTest, ExportWarnsUntilThePeriodIsLocked)
{
    PeriodReviewFixture f(backend());
    f.messages.answers = {MessageBoxes::Answer::Yes};
    PeriodReview review(f.services, f.session, f.counts());
    ASSERT_TRUE(review.refresh());
    ASSERT_TRUE(review.choose(PeriodReviewFixture::firstPeriod()));
    EXPECT_EQ(review.suggestedFileName(QStringLiteral("adp")), QStringLiteral("PRXYZEPI.csv"));
    const QString output = QDir(f.folder.path()).filePath(QStringLiteral("PRXYZEPI.csv"));

    const PeriodReview::Exported open = review.exportTo(QStringLiteral("adp"), output);
    EXPECT_TRUE(open.written);
    EXPECT_TRUE(open.warning.contains(QStringLiteral("2 Nov 2026 - 15 Nov 2026 is open: ")))
        << open.warning.toStdString();
    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              QByteArray("Co Code,Batch ID,File #,Reg Hours,O/T Hours,Hours 3 Code,Hours 3 Amount\r\n"
                         "XYZ,7,A1,40.00,5.00,,\r\n"
                         "XYZ,7,B2,8.00,0.00,,\r\n"));
    file.close();

    ASSERT_TRUE(review.lock());
    QFile::remove(output);
    const PeriodReview::Exported locked = review.exportTo(QStringLiteral("adp"), output);
    EXPECT_TRUE(locked.written);
    EXPECT_TRUE(locked.warning.isEmpty());

    // A profile that does not read: told why, nothing written.
    const QString broken = QDir(f.folder.path()).filePath(QStringLiteral("broken.ini"));
    QFile profile(broken);
    ASSERT_TRUE(profile.open(QIODevice::WriteOnly));
    profile.write("[profile]\nformat = xml\n");
    profile.close();
    const qsizetype shownBefore = f.messages.shown.size();
    const QString elsewhere = QDir(f.folder.path()).filePath(QStringLiteral("other.csv"));
    EXPECT_FALSE(review.exportTo(broken, elsewhere).written);
    EXPECT_FALSE(QFile::exists(elsewhere));
    ASSERT_EQ(f.messages.shown.size(), shownBefore + 1);
    EXPECT_TRUE(f.messages.shown.last().text.contains(QStringLiteral("broken.ini")));
}

TELLARIN_ON_BOTH_BACKENDS(PeriodReviewTest);
