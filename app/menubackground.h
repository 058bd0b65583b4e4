#pragma once

#include <QRect>

class QPainter;

namespace app {

// The main menu's fixed background: a pale cherry-blossom wash with a few
// drawn blossoms in the corners and a thin band under the title.
void paintMenuBackground(QPainter &painter, const QRect &area);

} // namespace app
