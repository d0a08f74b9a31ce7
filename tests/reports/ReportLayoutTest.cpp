#include "reports/ReportLayout.h"

#include "RecordingSurface.h"
#include "ReportFixture.h"

#include <gtest/gtest.h>

namespace {
constexpr qreal u = 10; // one column
constexpr qreal h = 12; // one row

ReportLine title()
{
    ReportLine l;
    l.text = QStringLiteral("Employee clocking report for 12/4/26");
    return l;
}

// Record lines refer to their row, which must outlive the layout's use of them.
struct Rows {
    ReportRow in;
    ReportRow out;
    Rows() { out.clockOut = true; }
};

ReportLine record(const Rows& rows, bool out, const QString& id = QStringLiteral("ID"))
{
    ReportLine l;
    l.kind = ReportLine::Kind::Record;
    l.row = out ? &rows.out : &rows.in;
    l.id = id;
    l.name = QStringLiteral("Name");
    l.department = QStringLiteral("Dept");
    l.action = out ? QStringLiteral("Out") : QStringLiteral("In");
    l.time = QStringLiteral("8:00");
    l.mark = QStringLiteral(" - Edited");
    l.weekday = QStringLiteral("Fri");
    l.date = QStringLiteral("12/4/26");
    return l;
}

ReportLine ofKind(ReportLine::Kind kind, const QString& worked, const QString& deduction = {})
{
    ReportLine l;
    l.kind = kind;
    l.worked = worked;
    l.deduction = deduction;
    l.emphasised = deduction.isEmpty();
    return l;
}

// The page and row each record line landed on, by its ID text.
std::pair<int, qreal> placeOf(const RecordingSurface& s, const QString& id)
{
    const auto* t = s.find(id);
    return t ? std::pair{t->page, t->at.y() / h} : std::pair{0, 0.0};
}
} // namespace

TEST(ReportLayout, GeometryFromPageAndFont)
{
    RecordingSurface surface;
    ReportLayout layout(surface, {});
    EXPECT_DOUBLE_EQ(layout.unit(), u);
    EXPECT_DOUBLE_EQ(layout.rowHeight(), h);
    EXPECT_EQ(layout.lastUsableRow(), 80);
    // Halves round to even: 82.5 rows give 82, 83.5 give 84.
    EXPECT_EQ(ReportLayout::lastUsableRow(990, 12), 79);
    EXPECT_EQ(ReportLayout::lastUsableRow(1002, 12), 81);
}

TEST(ReportLayout, AnOutNearTheLastRowEndsThePageAnInDoesNot)
{
    // Records go to rows 3.5, 4.5, ...: record 72 stands on 75.5, record 73 on 76.5 (within four
    // rows of row 80).
    const struct {
        const char* name;
        int outAt; // index of the one OUT among INs
        int firstOnPage2;
    } cases[] = {
        {"INs only: the page ends after the line at or below the last row", -1, 78},
        {"an OUT five rows above the last row does not end the page", 72, 78},
        {"an OUT four rows above the last row ends the page", 73, 74},
        {"an OUT on the row before the last ends the page", 76, 77},
    };
    for (const auto& c : cases) {
        RecordingSurface surface;
        ReportLayout layout(surface, {});
        Rows rows;
        layout.line(title());
        for (int i = 0; i < 90; ++i)
            layout.line(record(rows, i == c.outAt, QStringLiteral("R%1").arg(i)));
        const auto [page, row] = placeOf(surface, QStringLiteral("R%1").arg(c.firstOnPage2));
        EXPECT_EQ(page, 2) << c.name;
        EXPECT_DOUBLE_EQ(row, 3.5) << c.name;
        EXPECT_EQ(placeOf(surface, QStringLiteral("R%1").arg(c.firstOnPage2 - 1)).first, 1) << c.name;
    }
}

TEST(ReportLayout, SecondPageHasTheWholeHeader)
{
    RecordingSurface surface;
    ReportLayout layout(surface, {false, true, QStringLiteral("Gratuity"), QColor(0, 255, 128)});
    Rows rows;
    layout.line(title());
    ReportLine rounding;
    rounding.kind = ReportLine::Kind::Rounding;
    rounding.text = QStringLiteral("Clock INs are rounded to the nearest quarter  - ");
    layout.line(rounding);
    for (int i = 0; i < 100; ++i)
        layout.line(record(rows, i % 2 == 1));
    layout.line(ofKind(ReportLine::Kind::Total, QStringLiteral("50:00")));
    EXPECT_EQ(layout.pageCount(), 2);

    const auto* page = surface.find(QStringLiteral(" Page 2"), 2);
    ASSERT_TRUE(page);
    EXPECT_DOUBLE_EQ(page->right(), 79 * u);
    EXPECT_DOUBLE_EQ(page->at.y(), 0);
    const auto* t = surface.find(title().text, 2);
    ASSERT_TRUE(t);
    // Centred as its bold width would be.
    EXPECT_DOUBLE_EQ(t->at.x(), (800 - title().text.size() * 6) / 2.0);
    const auto* r = surface.find(rounding.text, 2);
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->at.y(), 0.8 * h);
    EXPECT_DOUBLE_EQ(r->at.x() + rounding.text.size() * 5 / 2.0, 39.5 * u);

    // Department report headings, bold, at row 2.
    const struct {
        const char* text;
        qreal left;
        qreal right;
    } headings[] = {{"Department ", 0, -1}, {"ID", 17, -1},     {"Name", 22, -1},  {"Date", 34, -1},
                    {"Action", 44, -1},     {"Time", -1, 51.5}, {"Hours", -1, 57}, {"Gratuity", -1, 79}};
    for (const auto& hd : headings) {
        const auto* found = surface.find(QString::fromLatin1(hd.text), 2);
        ASSERT_TRUE(found) << hd.text;
        EXPECT_TRUE(found->bold) << hd.text;
        EXPECT_DOUBLE_EQ(found->at.y(), 2 * h) << hd.text;
        if (hd.left >= 0)
            EXPECT_DOUBLE_EQ(found->at.x(), hd.left * u) << hd.text;
        else
            EXPECT_DOUBLE_EQ(found->right(), hd.right * u) << hd.text;
    }
    // Department report columns on a record line.
    const auto* dept = surface.find(QStringLiteral("Dept"), 2);
    ASSERT_TRUE(dept);
    EXPECT_DOUBLE_EQ(dept->at.x(), 0);
    EXPECT_DOUBLE_EQ(surface.find(QStringLiteral("Name"), 2)->at.x(), 22 * u);
}

TEST(ReportLayout, HeaderRuleEndsShortWithoutTips)
{
    for (bool tips : {true, false}) {
        RecordingSurface surface;
        ReportLayout layout(surface, {true, tips, QStringLiteral("Tips"), QColor()});
        Rows rows;
        layout.line(title());
        layout.line(record(rows, false));
        ASSERT_FALSE(surface.lines.isEmpty());
        const auto& rule = surface.lines.first();
        EXPECT_DOUBLE_EQ(rule.from.y(), 3.1 * h);
        EXPECT_DOUBLE_EQ(rule.from.x(), 0);
        EXPECT_DOUBLE_EQ(rule.to.x(), tips ? 800 : 800 - 15.1 * u);
        EXPECT_EQ(surface.find(QStringLiteral("Tips")) != nullptr, tips);
    }
}

TEST(ReportLayout, PairsShadingAndTotalsStandWhereTheColumnsSay)
{
    RecordingSurface surface;
    const QColor shading(0, 255, 255);
    ReportLayout layout(surface, {true, true, QStringLiteral("Tips"), shading});
    Rows rows;
    layout.line(title());
    ReportLine in = record(rows, false, QStringLiteral("IN"));
    in.shaded = true;
    layout.line(in);
    ReportLine out = record(rows, true, QStringLiteral("OUT"));
    out.tip = QStringLiteral("12.50");
    layout.line(out);
    ReportLine pair = ofKind(ReportLine::Kind::Pair, QStringLiteral("8:37"));
    pair.breakMark = true;
    layout.line(pair);
    ReportLine group = ofKind(ReportLine::Kind::Group, QStringLiteral("8:07"),
                              QStringLiteral(" Deducted 1 (30 minutes break) for a total of 30 minutes    "));
    group.tips = QStringLiteral("12.50");
    layout.line(group);
    layout.line(ofKind(ReportLine::Kind::Total, QStringLiteral("8:07"), QStringLiteral("Deducted 1")));

    // IN on row 3.5, OUT on 4.5: the pair's time halfway, bold, ending at 51.5.
    const auto* worked = surface.find(QStringLiteral("8:37"));
    ASSERT_TRUE(worked);
    EXPECT_TRUE(worked->bold);
    EXPECT_DOUBLE_EQ(worked->at.y(), 4.0 * h);
    EXPECT_DOUBLE_EQ(worked->right(), 51.5 * u);
    EXPECT_DOUBLE_EQ(surface.find(QStringLiteral("<"))->at.x(), worked->at.x() - u);
    // Time ends at 57, the mark runs on from there; the tip ends at 79.
    const auto* time = surface.find(QStringLiteral("8:00"));
    EXPECT_DOUBLE_EQ(time->right(), 57 * u);
    EXPECT_DOUBLE_EQ(surface.find(QStringLiteral(" - Edited"))->at.x(), 57 * u);
    EXPECT_DOUBLE_EQ(surface.find(QStringLiteral("12.50"))->right(), 79 * u);
    EXPECT_DOUBLE_EQ(surface.find(QStringLiteral("Fri"))->at.x(), 34 * u);
    EXPECT_DOUBLE_EQ(surface.find(QStringLiteral("12/4/26"))->at.x(), 37 * u);
    EXPECT_DOUBLE_EQ(surface.find(QStringLiteral("Name"))->at.x(), 7 * u);
    EXPECT_DOUBLE_EQ(surface.find(QStringLiteral("Dept"))->at.x(), 19 * u);
    // The shading lies behind both lines of the pair, over the rule's width.
    ASSERT_FALSE(surface.rects.isEmpty());
    EXPECT_EQ(surface.rects.first().color, shading);
    EXPECT_EQ(surface.rects.first().rect, QRectF(0, 3.4 * h, 800, 2.1 * h));

    // Group total 1.1 rows below the OUT; with a deduction the time is regular and the text ends
    // two and a half columns before it.
    const auto* total = surface.find(QStringLiteral("8:07"));
    ASSERT_TRUE(total);
    EXPECT_FALSE(total->bold);
    EXPECT_DOUBLE_EQ(total->at.y(), 5.6 * h);
    EXPECT_DOUBLE_EQ(total->right(), 51.5 * u);
    EXPECT_DOUBLE_EQ(surface.find(group.deduction)->right(), total->at.x() - 2.5 * u);
    EXPECT_EQ(surface.rects.last().color, QColor(220, 220, 220));

    // Grand total: double rule around the next row (6.6), texts 0.3 rows lower.
    const auto* grand = surface.find(QStringLiteral("Total time"));
    ASSERT_TRUE(grand);
    EXPECT_DOUBLE_EQ(grand->at.x(), 52 * u);
    EXPECT_NEAR(grand->at.y(), 6.9 * h, 1e-9);
    EXPECT_NEAR(surface.lines[surface.lines.size() - 2].from.y(), 6.5 * h, 1e-9);
    EXPECT_NEAR(surface.lines.last().from.y(), 6.7 * h, 1e-9);
    EXPECT_DOUBLE_EQ(surface.find(QStringLiteral("Deducted 1"))->at.x(), 0);
}
