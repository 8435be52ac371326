// The commands behind the resume and the local-file dialogs. UI thread only.
#pragma once

#include <wx/window.h>

#include "app-context.h"
#include "items/item-list.h"

namespace murlo::gui {

// "ﾚｼﾞｭｰﾑ(&R)...": adds to `items` the "RESUME" row that a later download continues. The
// dialog opens over `parent`.
void enterResume(wxWindow& parent, AppContext& app, ItemList& items);
// "ﾛｰｶﾙﾌｧｲﾙの解析(&A)...": analyses a saved page against the address it was saved from and
// appends the links found to `items`, at once and without a job.
void analyzeLocalFile(wxWindow& parent, AppContext& app, ItemList& items);

}  // namespace murlo::gui
