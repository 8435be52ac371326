// The commands behind the resume and the local-file dialogs. UI thread only.
#pragma once

namespace murlo::gui {

class CMainFrame;

// "ﾚｼﾞｭｰﾑ(&R)...": adds the "RESUME" row that a later download continues.
void enterResume(CMainFrame& frame);
// "ﾛｰｶﾙﾌｧｲﾙの解析(&A)...": analyses a saved page against the address it was saved from and
// appends the links found, at once and without a job.
void analyzeLocalFile(CMainFrame& frame);

}  // namespace murlo::gui
