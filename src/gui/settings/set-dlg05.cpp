#include "settings/set-dlg05.h"

namespace murlo::gui {

void CSetDlg05::createControls(wxBoxSizer* top) {
  bitBox(group(top, "ﾛｸﾞﾌｧｲﾙ"), "ﾀﾞｳﾝﾛｰﾄﾞのｴﾗｰﾛｸﾞを生成する", output::kErrorLog);
  wxStaticBoxSizer* window = group(top, "ｱｳﾄﾌﾟｯﾄ");
  bitBox(window, "ｱｳﾄﾌﾟｯﾄを生成する", output::kWindow);
  bitBox(window, "操作毎にｱｳﾄﾌﾟｯﾄをｸﾘｱする", output::kClearEach);
  wxStaticBoxSizer* what = group(top, "出力対象");
  bitBox(what, "操作成功", output::kSuccess);
  bitBox(what, "操作失敗", output::kFailure);
  bitBox(what, "ｴﾗｰ原因", output::kCause);
  bitBox(what, "処理ﾒｯｾｰｼﾞ", output::kProcessing);
}

}  // namespace murlo::gui
