#include "settings/set-dlg05.h"

namespace murlo::gui {

void CSetDlg05::createControls(wxBoxSizer* top) {
  bitGroup(top, "ﾛｸﾞﾌｧｲﾙ", {{"ﾀﾞｳﾝﾛｰﾄﾞのｴﾗｰﾛｸﾞを生成する", output::kErrorLog}});
  bitGroup(
      top, "ｱｳﾄﾌﾟｯﾄ",
      {{"ｱｳﾄﾌﾟｯﾄを生成する", output::kWindow}, {"操作毎にｱｳﾄﾌﾟｯﾄをｸﾘｱする", output::kClearEach}});
  bitGroup(top, "出力対象",
           {{"操作成功", output::kSuccess},
            {"操作失敗", output::kFailure},
            {"ｴﾗｰ原因", output::kCause},
            {"処理ﾒｯｾｰｼﾞ", output::kProcessing}});
}

}  // namespace murlo::gui
