#pragma once

#include <functional>

class QWidget;

namespace app {

// Opens one screen of the program without blocking. The screen calls
// `backToMenu` once when it has closed, by its return button or its close
// box; the menu then prepares itself again and comes back.
using ScreenOpener = std::function<void(std::function<void()> backToMenu)>;

// The screens the main menu leads to. A screen without an opener has its
// menu button disabled.
struct ScreenOpeners
{
    ScreenOpener registration; // 商品情報の登録
    ScreenOpener issuing;      // ラベルの発行
    ScreenOpener settings;     // 各種設定; also opened while no printer is chosen
};

struct AppContext;

// The program's screens: each opens as a window of its own, is deleted when
// it closes, and then calls `backToMenu`. `context` must outlive them.
ScreenOpeners programScreens(const AppContext &context);

// Shows `screen`, deleting it when it closes and then calling `backToMenu`.
void openScreen(QWidget *screen, std::function<void()> backToMenu);

} // namespace app
