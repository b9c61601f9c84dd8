#pragma once
// The two ways every graph puts text on a picture.

#include <string>

#include "core/graphics/canvas.h"

namespace mk {

// Moves the current position to (x, y) and prints the text there.
void DrawTextAt(Canvas& surface, double x, double y, const std::string& text);

// Japanese vertical text: one character per line, each starting at x, the
// first at y. Printing moves the current y down by one line per character.
void DrawVerticalText(Canvas& surface, double x, double y, const std::string& text);

}  // namespace mk
