#pragma once

class QApplication;

namespace app {

// What the program's application object needs before the first window:
// its name and icon, the Japanese Gothic for "ＭＳ ゴシック", Qt's own texts
// in Japanese ("はい"/"いいえ", the file dialog), and an end only through
// the menu.
void setUpApplication(QApplication &application);

} // namespace app
