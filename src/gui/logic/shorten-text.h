// Cutting a cell text of the item list to its column with "..." at the end.
#pragma once

#include <functional>
#include <string>

namespace murlo::gui {

// A text's width in pixels.
using TextMeasure = std::function<int(const std::string&)>;

// Returns `text` when its width plus `margin` fits `width`; otherwise the longest front part
// (at least one character) whose width plus the dots plus `margin` fits, followed by "...".
// Cuts between characters, never inside one.
std::string shortenText(const std::string& text, int width, int margin, const TextMeasure& measure);

// A cell of the list as the list control lays it out.
struct CellGeometry {
  int width;   // W: column 0 the label right of the icon, the others the whole column
  int margin;  // M: 4 in column 0, 12 in the others
  int room;    // the width the control draws the text in; wider texts it cuts itself
};
CellGeometry cellGeometry(int column, int columnWidth);

// The text the list control is given for a cell: shortened when its width plus M exceeds W.
// A shortened text is padded with blanks up to the control's room, so that a centred or
// right-aligned column draws it from the left edge like a left-aligned one.
std::string cellText(const std::string& text, const CellGeometry& cell, bool leftAligned,
                     const TextMeasure& measure);

}  // namespace murlo::gui
