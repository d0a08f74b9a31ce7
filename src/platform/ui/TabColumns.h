#pragma once

#include <QList>
#include <QStyledItemDelegate>

class QListWidget;

// Draws a list box's TAB-separated item texts as columns, each as wide as its widest entry, so a
// long name never runs into the next column and nothing is cut off.
class TabColumns final : public QStyledItemDelegate {
public:
    explicit TabColumns(QListWidget* list);

    // Measures every item again (after the list is filled) and widens the list to show them whole.
    void fitToContents();
    // Left edge of each column, in pixels from the item's text start.
    QList<int> columnStarts() const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QListWidget* m_list;
    QList<int> m_widths;
};
