#pragma once

class QWidget;

namespace print {

// Puts a window in the middle of its screen, as every window of the program
// opens: left = (screen width - window width) / 2, top likewise.
void centreOnScreen(QWidget &window);

} // namespace print
