#include "file-entry-commands.h"

#include "analysis/page-scan.h"
#include "file-entry-dlg.h"
#include "main-frame.h"
#include "murlo-doc.h"
#include "murlo-view.h"

namespace murlo::gui {

void enterResume(CMainFrame& frame) {
  CFileEntryDlg dlg(&frame, *frame.app().prompter, CFileEntryDlg::Kind::kResume);
  if (dlg.ShowModal() != wxID_OK) return;
  addResumeItem(frame.doc()->items(), dlg.entry());
}

void analyzeLocalFile(CMainFrame& frame) {
  AppContext& app = frame.app();
  CFileEntryDlg dlg(&frame, *app.prompter, CFileEntryDlg::Kind::kLocalFile);
  if (dlg.ShowModal() != wxID_OK) return;
  const PageScanContext context{
      {frame.doc()->items(), app.settings}, *app.prompter, app.appDirectory};
  scanMarkup(context, dlg.entry().address, dlg.entry().path, app.settings.tag);
}

}  // namespace murlo::gui
