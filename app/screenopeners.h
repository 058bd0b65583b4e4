#pragma once

#include <functional>

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

} // namespace app
