#pragma once

namespace platform {

// Labels are set in "ＭＳ ゴシック" (also known as "MS Gothic"), a Windows
// font; here IPAGothic stands in for it, with the same fixed-width full- and
// half-width glyphs. The printer systems call this when they are made; a
// front-end that draws labels without one calls it once after creating its
// Q(Gui)Application. Calling it again changes nothing.
void installFontSubstitutions();

} // namespace platform
