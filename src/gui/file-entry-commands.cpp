#include "file-entry-commands.h"

#include "analysis/page-scan.h"
#include "file-entry-dlg.h"

namespace murlo::gui {

void enterResume(wxWindow& parent, AppContext& app, ItemList& items) {
  CFileEntryDlg dlg(&parent, *app.prompter, CFileEntryDlg::Kind::kResume);
  if (dlg.ShowModal() != wxID_OK) return;
  addResumeItem(items, dlg.entry());
}

void analyzeLocalFile(wxWindow& parent, AppContext& app, ItemList& items) {
  CFileEntryDlg dlg(&parent, *app.prompter, CFileEntryDlg::Kind::kLocalFile);
  if (dlg.ShowModal() != wxID_OK) return;
  const PageScanContext context{{items, app.settings}, *app.prompter, app.appDirectory};
  scanMarkup(context, dlg.entry().address, dlg.entry().path, app.settings.tag);
}

}  // namespace murlo::gui
