#include "reports/PainterSurface.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace {
QFont withWeight(QFont font, bool bold)
{
    font.setBold(bold);
    return font;
}
} // namespace

PainterSurface::PainterSurface(QPagedPaintDevice& device, QPainter& painter, const QFont& font)
    : m_device(device)
    , m_painter(painter)
    , m_font(withWeight(font, false))
    , m_metrics(m_font, &device)
    , m_boldFont(withWeight(font, true))
    , m_boldMetrics(m_boldFont, &device)
{
    m_painter.setFont(m_font);
    m_painter.setPen(Qt::black);
}

QSizeF PainterSurface::pageSize() const
{
    return QSizeF(m_device.width(), m_device.height());
}

void PainterSurface::setBold(bool bold)
{
    if (bold == m_bold)
        return;
    m_bold = bold;
    m_painter.setFont(bold ? m_boldFont : m_font);
}

qreal PainterSurface::textWidth(const QString& text) const
{
    return (m_bold ? m_boldMetrics : m_metrics).horizontalAdvance(text);
}

qreal PainterSurface::textHeight() const
{
    return m_metrics.height();
}

void PainterSurface::drawText(const QPointF& topLeft, const QString& text)
{
    const QFontMetricsF& metrics = m_bold ? m_boldMetrics : m_metrics;
    m_painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

void PainterSurface::fillRect(const QRectF& rect, const QColor& color)
{
    m_painter.fillRect(rect, color);
}

void PainterSurface::drawLine(const QPointF& from, const QPointF& to)
{
    // Half a point, whatever the device's resolution.
    m_painter.setPen(QPen(Qt::black, m_device.logicalDpiY() / 144.0));
    m_painter.drawLine(from, to);
    m_painter.setPen(Qt::black);
}

void PainterSurface::newPage()
{
    m_device.newPage();
}
