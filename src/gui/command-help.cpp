#include "command-help.h"

#include "command-ids.h"

namespace murlo::gui {

CommandHelp commandHelp(int id) {
  switch (id) {
    case ID_FILE_OPEN: return {"ﾘｽﾄﾌｧｲﾙを開きます", "開く"};
    case ID_FILE_SAVE_AS: return {"ﾘｽﾄに名前を付けて保存します", "名前を付けて保存"};
    case ID_JOB_FILE_SAVE: return {"ﾘｽﾄを Job ﾌｧｲﾙに保存します", "Job ﾌｧｲﾙへの保存"};
    case ID_JOB_FILE_RESUME: return {"Job ﾌｧｲﾙのﾘｽﾄで作業を再開します", "Job ﾌｧｲﾙからの再開"};
    case ID_WIZARD: return {"ｳｨｻﾞｰﾄﾞに従って作業を設定し、開始します", "ｳｨｻﾞｰﾄﾞ"};
    case ID_FILE_MRU_FIRST: return {"このﾘｽﾄﾌｧｲﾙを開きます", ""};
    case ID_APP_EXIT: return {"ｱﾌﾟﾘｹｰｼｮﾝを終了します", ""};
    case ID_ADD_ITEM_DIALOG: return {"ｱｲﾃﾑをﾘｽﾄに追加します", "追加"};
    case ID_DELETE: return {"選択中のｱｲﾃﾑをﾘｽﾄから削除します", "削除"};
    case ID_COPY: return {"選択中のｱｲﾃﾑのURLをｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします", "ｺﾋﾟｰ"};
    case ID_CHECK_DUPLICATES: return {"重複したｱｲﾃﾑをﾘｽﾄから削除します", "重複ﾈｰﾑの確認"};
    case ID_PROPERTIES: return {"選択中のｱｲﾃﾑのﾌﾟﾛﾊﾟﾃｨを表示します", "ﾌﾟﾛﾊﾟﾃｨ"};
    case ID_MOVE_UP: return {"選択中のｱｲﾃﾑを1つ上へ移動します", "上へ"};
    case ID_MOVE_DOWN: return {"選択中のｱｲﾃﾑを1つ下へ移動します", "下へ"};
    case ID_DELETE_ALL: return {"ﾘｽﾄからすべてのｱｲﾃﾑを削除します", ""};
    case ID_ONLY_JPEG: return {"拡張子が jpg のｱｲﾃﾑだけを残します", ""};
    case ID_NOT_HTML: return {"HTML 系のｱｲﾃﾑを削除します", ""};
    case ID_ONLY_STATE: return {"ｱﾄﾞﾚｽに指定の文字列を含むｱｲﾃﾑだけを残します", ""};
    case ID_DELETE_FINISHED: return {"ﾀﾞｳﾝﾛｰﾄﾞが完了したｱｲﾃﾑを削除します", ""};
    case ID_DELETE_ERROR: return {"ｴﾗｰになったｱｲﾃﾑを削除します", ""};
    case ID_TAG_IMG: return {"IMG SRC ﾀｸﾞのﾘﾝｸを解析します", ""};
    case ID_TAG_HREF: return {"A HREF ﾀｸﾞのﾘﾝｸを解析します", ""};
    case ID_TAG_BODY: return {"BODY ﾀｸﾞの背景画像を解析します", ""};
    case ID_TAG_FRAME: return {"FRAME ﾀｸﾞのﾘﾝｸを解析します", ""};
    case ID_TAG_HTML5: return {"ﾍﾟｰｼﾞを HTML5 の規則で読んでﾘﾝｸを探します", ""};
    case ID_ANALYZE: return {"選択中のｱｲﾃﾑを解析します", "解析"};
    case ID_DOWNLOAD: return {"選択中のｱｲﾃﾑをﾀﾞｳﾝﾛｰﾄﾞします", "ﾀﾞｳﾝﾛｰﾄﾞ"};
    case ID_RUN: return {"ﾘｽﾄのすべてのｱｲﾃﾑをﾀﾞｳﾝﾛｰﾄﾞします", "実行"};
    case ID_SUSPEND: return {"作業を中断します。後で再開できます", "中断"};
    case ID_STOP: return {"作業を中止します", "中止"};
    case ID_RECURSIVE: return {"開始URLから再帰的に解析します", "再帰的解析"};
    case ID_RESUME_ENTRY: return {"ﾀﾞｳﾝﾛｰﾄﾞを再開します", "ﾀﾞｳﾝﾛｰﾄﾞを再開します"};
    case ID_LOCAL_FILE: return {"ﾛｰｶﾙの HTML ﾌｧｲﾙを解析します", "ﾛｰｶﾙﾌｧｲﾙの解析"};
    case ID_VIEW_TOOLBAR: return {"ﾂｰﾙﾊﾞｰの表示/非表示", ""};
    case ID_VIEW_STATUS_BAR: return {"ｽﾃｰﾀｽﾊﾞｰの表示/非表示", ""};
    case ID_VIEW_ADD_BAR: return {"ｱｲﾃﾑ追加ﾊﾞｰの表示/非表示", ""};
    case ID_VIEW_LIST_BAR: return {"ﾘｽﾄﾂｰﾙﾊﾞｰの表示/非表示", ""};
    case ID_VIEW_OUTPUT: return {"ｱｳﾄﾌﾟｯﾄｳｨﾝﾄﾞｳの表示/非表示", "ｱｳﾄﾌﾟｯﾄｳｨﾝﾄﾞｳの表示/非表示"};
    case ID_PROGRESS_WINDOW: return {"動作状況ｳｨﾝﾄﾞｳの表示/非表示", ""};
    case ID_TREE_VIEW:
      return {"ｱｲﾃﾑの場所をより視覚的に分かりやすく表示します",
              "ｱｲﾃﾑの場所をより視覚的に分かりやすく表示します"};
    case ID_SETTINGS: return {"各種設定を変更します", "設定"};
    case ID_CHANGE_FOLDER: return {"保存先ﾌｫﾙﾀﾞを変更します", "ﾌｫﾙﾀﾞの変更"};
    case ID_OFFLINE: return {"ｵﾌﾗｲﾝ作業とｵﾝﾗｲﾝ作業を切り替えます", ""};
    case ID_OPEN_LOG: return {"ﾀﾞｳﾝﾛｰﾄﾞのｴﾗｰﾛｸﾞﾌｧｲﾙを開きます", ""};
    case ID_HELP: return {"ﾍﾙﾌﾟを表示します", ""};
    case ID_APP_ABOUT: return {"ﾌﾟﾛｸﾞﾗﾑのﾊﾞｰｼﾞｮﾝ情報を表示します", ""};
    case ID_PASTE_URL:
      return {"ｸﾘｯﾌﾟﾎﾞｰﾄﾞのURLをｱｲﾃﾑ追加ﾊﾞｰに貼り付けます", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞからURLを貼り付け"};
    case ID_ADD_FROM_BAR: return {"ｱｲﾃﾑ追加ﾊﾞｰのURLをﾘｽﾄに追加します", "ｱｲﾃﾑを追加"};
    default: return {"", ""};
  }
}

}  // namespace murlo::gui
