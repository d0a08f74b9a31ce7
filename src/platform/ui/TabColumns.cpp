#include "platform/ui/TabColumns.h"

#include <QApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>

namespace {
constexpr int columnGap = 12;
constexpr int textMargin = 4;
} // namespace

TabColumns::TabColumns(QListWidget* list)
    : QStyledItemDelegate(list)
    , m_list(list)
{
    list->setItemDelegate(this);
}

void TabColumns::fitToContents()
{
    const QFontMetrics metrics(m_list->font());
    m_widths.clear();
    for (int row = 0; row < m_list->count(); ++row) {
        const QStringList fields = m_list->item(row)->text().split(QLatin1Char('\t'));
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i == m_widths.size())
                m_widths.append(0);
            m_widths[i] = std::max(m_widths[i], metrics.horizontalAdvance(fields[i]));
        }
    }
    int total = 2 * textMargin;
    for (int width : m_widths)
        total += width + columnGap;
    const int frame = 2 * m_list->frameWidth() + m_list->verticalScrollBar()->sizeHint().width();
    m_list->setMinimumWidth(std::max(m_list->minimumWidth(), total + frame));
    m_list->viewport()->update();
}

QList<int> TabColumns::columnStarts() const
{
    QList<int> starts;
    int x = 0;
    for (int width : m_widths) {
        starts.append(x);
        x += width + columnGap;
    }
    return starts;
}

void TabColumns::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = item.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    painter->save();
    const bool selected = item.state & QStyle::State_Selected;
    painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(item.font);
    const QList<int> starts = columnStarts();
    const QStringList fields = text.split(QLatin1Char('\t'));
    QRect cell = item.rect.adjusted(textMargin, 0, -textMargin, 0);
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const int x = i < starts.size() ? starts[i] : starts.value(starts.size() - 1) + columnGap;
        const QRect r(cell.left() + x, cell.top(), cell.width() - x, cell.height());
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, fields[i]);
    }
    painter->restore();
}

QSize TabColumns::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    int total = 2 * textMargin;
    for (int width : m_widths)
        total += width + columnGap;
    // The base measures the text with its TABs expanded, wider than the columns need.
    size.setWidth(total);
    return size;
}
