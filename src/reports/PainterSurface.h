#pragma once

#include "reports/DrawingSurface.h"

#include <QFont>
#include <QFontMetricsF>

class QPainter;
class QPagedPaintDevice;

// The report's surface on anything QPainter draws pages on: a printer, the preview's printer or a
// PDF file. Units are the device's pixels inside its margins.
class PainterSurface final : public DrawingSurface {
public:
    PainterSurface(QPagedPaintDevice& device, QPainter& painter, const QFont& font);

    QSizeF pageSize() const override;
    void setBold(bool bold) override;
    qreal textWidth(const QString& text) const override;
    qreal textHeight() const override;
    void drawText(const QPointF& topLeft, const QString& text) override;
    void fillRect(const QRectF& rect, const QColor& color) override;
    void drawLine(const QPointF& from, const QPointF& to) override;
    void newPage() override;

private:
    QPagedPaintDevice& m_device;
    QPainter& m_painter;
    QFont m_font;
    QFontMetricsF m_metrics;
    QFont m_boldFont;
    QFontMetricsF m_boldMetrics;
    bool m_bold = false;
};
