#include "platform/WindowPlacement.h"

#include <algorithm>
#include <optional>

namespace {
// Room left between the helper and what it must not cover, so the two never touch.
constexpr int gap = 8;

QSize fitted(const QSize& preferred, const QRect& band)
{
    return preferred.boundedTo(band.size());
}

bool fits(const QSize& size, const QSize& minimum)
{
    return size.width() >= minimum.width() && size.height() >= minimum.height();
}

QRect centredIn(const QRect& band, const QSize& size)
{
    QRect r(QPoint(0, 0), size);
    r.moveCenter(band.center());
    return r;
}

// Moves r inside band as far as it sticks out; r is never larger than band.
QRect clampedInto(QRect r, const QRect& band)
{
    r.moveLeft(std::clamp(r.left(), band.left(), std::max(band.left(), band.right() - r.width() + 1)));
    r.moveTop(std::clamp(r.top(), band.top(), std::max(band.top(), band.bottom() - r.height() + 1)));
    return r;
}

std::optional<QRect> beside(const QRect& available, const QRect& owner, const QSize& preferred,
                            const QSize& minimum)
{
    const QRect right(QPoint(owner.right() + 1 + gap, available.top()), available.bottomRight());
    const QRect left(available.topLeft(), QPoint(owner.left() - 1 - gap, available.bottom()));
    for (const QRect& band : {right, left}) {
        if (!band.isValid())
            continue;
        const QSize size = fitted(preferred, band);
        if (!fits(size, minimum))
            continue;
        QRect r(QPoint(band == right ? band.left() : band.right() - size.width() + 1, owner.top()), size);
        return clampedInto(r, band);
    }
    return std::nullopt;
}

std::optional<QRect> over(const QRect& area, const QRect& keep, const QSize& preferred, const QSize& minimum)
{
    const QRect k = keep.adjusted(-gap, -gap, gap, gap);
    const QRect bands[] = {
        QRect(QPoint(k.right() + 1, area.top()), area.bottomRight()),
        QRect(area.topLeft(), QPoint(k.left() - 1, area.bottom())),
        QRect(QPoint(area.left(), k.bottom() + 1), area.bottomRight()),
        QRect(area.topLeft(), QPoint(area.right(), k.top() - 1)),
    };
    std::optional<QRect> best;
    for (const QRect& band : bands) {
        const QRect clipped = band & area;
        if (!clipped.isValid())
            continue;
        const QSize size = fitted(preferred, clipped);
        if (!fits(size, minimum))
            continue;
        const qint64 room = qint64(size.width()) * size.height();
        if (!best || room > qint64(best->width()) * best->height())
            best = centredIn(clipped, size);
    }
    return best;
}
} // namespace

QRect WindowPlacement::besideOrOver(const QRect& available, const QRect& owner, const QList<QRect>& keepClear,
                                    const QSize& preferred, const QSize& minimum)
{
    if (const auto r = beside(available, owner, preferred, minimum))
        return *r;
    const QRect area = owner & available;
    if (area.isValid()) {
        for (const QRect& keep : keepClear) {
            if (const auto r = over(area, keep, preferred, minimum))
                return *r;
        }
    }
    const QRect target = area.isValid() ? area : available;
    return clampedInto(centredIn(target, fitted(preferred, available)), available);
}
