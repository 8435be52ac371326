// The 16 x 16 pictures of the program: the item states and the tool-bar commands.
#pragma once

#include <wx/bitmap.h>
#include <wx/imaglist.h>

namespace murlo::gui {

// Item states in image order: waiting, finished, failed, downloading.
wxImageList* makeStateImageList();

// The tool-bar picture of a command, from the desktop's icon theme.
wxBitmap commandBitmap(int commandId);
// The picture a tool bar shows for a disabled command: unmistakably fainter than `enabled`.
wxBitmap disabledCommandBitmap(const wxBitmap& enabled);

}  // namespace murlo::gui
