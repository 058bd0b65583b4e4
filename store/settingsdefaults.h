#pragma once

namespace store {

// The start positions of the label drawing area that a new user.dat gets, in
// twips from the page's top-left corner. The built-in PDF printer sizes its
// default medium so that a whole label drawn from them fits.
inline constexpr int kDefaultPortraitStartX = 1740;
inline constexpr int kDefaultPortraitStartY = 110;
inline constexpr int kDefaultLandscapeStartX = 1740;
inline constexpr int kDefaultLandscapeStartY = 20;

} // namespace store
