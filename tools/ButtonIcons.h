#pragma once

#include "ButtonArt.h"

#include <QPainter>
#include <QRect>

namespace ButtonArt {

// Draws the icon inside box: 21 x 18 for the wide buttons (tool icons use the left 18
// columns, layout icons all 21), 18 x 18 for the perspective view's buttons and 12 x 12
// for the narrow view buttons.
void DrawIcon(QPainter& p, Icon icon, const QRect& box);

} // namespace ButtonArt
