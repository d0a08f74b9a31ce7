#include "reports/ui/FontSample.h"

#include <QFontMetricsF>
#include <QPainter>

FontSample::FontSample(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(160, 48);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void FontSample::setSampleFont(const QFont& font)
{
    m_font = font;
    update();
}

void FontSample::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QFont regular = m_font;
    regular.setBold(false);
    QFont bold = m_font;
    bold.setBold(true);
    const QString left = QStringLiteral("aAbB--");
    const QString right = QStringLiteral("yYzZ");
    const QFontMetricsF r(regular, this);
    const QFontMetricsF b(bold, this);
    const qreal x = (width() - r.horizontalAdvance(left) - b.horizontalAdvance(right)) / 2;
    const qreal y = (height() + r.ascent() - r.descent()) / 2;
    painter.setFont(regular);
    painter.drawText(QPointF(x, y), left);
    painter.setFont(bold);
    painter.drawText(QPointF(x + r.horizontalAdvance(left), y), right);
}
