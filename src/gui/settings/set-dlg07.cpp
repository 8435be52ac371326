#include "settings/set-dlg07.h"

namespace murlo::gui {

void CSetDlg07::createControls(wxBoxSizer* top) {
  bitGroup(top, "終了時の設定",
           {{"ﾀﾞｳﾝﾛｰﾄﾞ終了後、回線を切断する", dial::kHangUp},
            {"ﾀﾞｳﾝﾛｰﾄﾞ終了後、ｼｽﾃﾑを終了させる", dial::kShutdown}});
}

}  // namespace murlo::gui
