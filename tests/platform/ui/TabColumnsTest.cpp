#include "platform/ui/TabColumns.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QScrollBar>
#include <gtest/gtest.h>

// Each column starts past the widest entry of the one before, and the list is widened to show the
// lines whole.
TEST(TabColumns, ColumnsAsWideAsTheirWidestEntry)
{
    QListWidget list;
    auto* columns = new TabColumns(&list);
    const QStringList lines = {QStringLiteral("Al\tA1\tMon 07:58"),
                               QStringLiteral("Maximiliana Konstantinopolous\tB22222\tTue 16:47\tOut early"),
                               QStringLiteral("Bo\tC3")};
    list.addItems(lines);
    columns->fitToContents();
    const QFontMetrics metrics(list.font());
    const QList<int> starts = columns->columnStarts();
    ASSERT_EQ(starts.size(), 4);
    EXPECT_EQ(starts[0], 0);
    for (qsizetype column = 1; column < starts.size(); ++column) {
        for (const QString& line : lines) {
            const QString before = line.section(QLatin1Char('\t'), int(column - 1), int(column - 1));
            EXPECT_GT(starts[column], starts[column - 1] + metrics.horizontalAdvance(before))
                << line.toStdString();
        }
    }
    const int needed = starts.last() + metrics.horizontalAdvance(QStringLiteral("Out early"));
    EXPECT_GT(list.minimumWidth(), needed);
}
