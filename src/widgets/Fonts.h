#pragma once

namespace tallimo {

// The windows ask for the fonts they were designed with; these map them onto
// metric-compatible fonts installed on Linux.
void registerFontSubstitutes();

} // namespace tallimo
