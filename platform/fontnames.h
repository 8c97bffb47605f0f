// The font names the layouts and reports were drawn with, mapped to the fonts this
// desktop has, so that the window, tavik-cli's pictures and the printed pages set
// their text in the same faces.
#pragma once

// Call once after the application object exists.
void installFontSubstitutions();
