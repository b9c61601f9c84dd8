#include "core/graphics/text_primitives.h"

#include "core/text/cp932.h"

namespace mk {

void DrawTextAt(Canvas& surface, double x, double y, const std::string& text) {
    surface.SetCurrentX(x);
    surface.SetCurrentY(y);
    surface.Print(text);
}

void DrawVerticalText(Canvas& surface, double x, double y, const std::string& text) {
    surface.SetCurrentY(y);
    for (const std::string& ch : SplitChars(text)) {
        surface.SetCurrentX(x);
        surface.Print(ch);
    }
}

}  // namespace mk
