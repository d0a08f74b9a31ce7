#pragma once

#include "reports/DrawingSurface.h"

#include <QList>

// A page of 800 x 1000 with a font whose every character is 5 wide (6 in bold) and whose line is
// 10 high: a column is 10, a row 12, and the last usable row 80.
class RecordingSurface final : public DrawingSurface {
public:
    struct Text {
        int page;
        QPointF at;
        QString text;
        bool bold;
        qreal right() const { return at.x() + text.size() * (bold ? 6 : 5); }
    };
    struct Rect {
        int page;
        QRectF rect;
        QColor color;
    };
    struct Line {
        int page;
        QPointF from;
        QPointF to;
    };

    QSizeF pageSize() const override { return size; }
    void setBold(bool b) override { m_bold = b; }
    qreal textWidth(const QString& text) const override { return text.size() * (m_bold ? 6 : 5); }
    qreal textHeight() const override { return 10; }
    void drawText(const QPointF& topLeft, const QString& text) override
    {
        texts.append({page, topLeft, text, m_bold});
    }
    void fillRect(const QRectF& rect, const QColor& color) override { rects.append({page, rect, color}); }
    void drawLine(const QPointF& from, const QPointF& to) override { lines.append({page, from, to}); }
    void newPage() override { ++page; }

    const Text* find(const QString& text, int onPage = 0) const
    {
        for (const Text& t : texts)
            if (t.text == text && (onPage == 0 || t.page == onPage))
                return &t;
        return nullptr;
    }

    QSizeF size{800, 1000};
    int page = 1;
    QList<Text> texts;
    QList<Rect> rects;
    QList<Line> lines;

private:
    bool m_bold = false;
};
