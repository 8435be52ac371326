// Cutting a cell text to its column with "..." at the end.
#pragma once

#include <functional>
#include <string>

namespace murlo::gui {

// Returns `text` when its width plus `margin` fits `width`; otherwise the longest front part
// (at least one character) whose width plus the dots plus `margin` fits, followed by "...".
// Cuts between characters, never inside one. `measure` gives a text's width in pixels.
std::string shortenText(const std::string& text, int width, int margin,
                        const std::function<int(const std::string&)>& measure);

}  // namespace murlo::gui
