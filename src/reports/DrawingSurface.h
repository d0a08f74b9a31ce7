#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// Where the report's pages are drawn: a printer, a PDF file, the preview, or a recording in tests.
// Positions are in the surface's own units from the top-left of the printable page; text is placed
// by the top of its line.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual QSizeF pageSize() const = 0;
    // The report font stays; only its weight changes for emphasised texts.
    virtual void setBold(bool bold) = 0;
    virtual qreal textWidth(const QString& text) const = 0;
    // The height of a line of text in the current font.
    virtual qreal textHeight() const = 0;
    virtual void drawText(const QPointF& topLeft, const QString& text) = 0;
    virtual void fillRect(const QRectF& rect, const QColor& color) = 0;
    virtual void drawLine(const QPointF& from, const QPointF& to) = 0;
    virtual void newPage() = 0;
};
