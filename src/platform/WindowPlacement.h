#pragma once

#include <QList>
#include <QRect>

// Where a helper window goes so the window it helps stays usable: the parts that must stay in
// sight are never covered when the screen leaves room for the helper at its smallest.
namespace WindowPlacement {

// All rectangles in screen coordinates. Beside the owner when the screen has room there; else over
// the owner in the largest free band around keepClear (tried in order, the widest first); else
// centred over the owner.
QRect besideOrOver(const QRect& available, const QRect& owner, const QList<QRect>& keepClear,
                   const QSize& preferred, const QSize& minimum);

} // namespace WindowPlacement
