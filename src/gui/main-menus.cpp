#include "main-menus.h"

#include <wx/menu.h>

#include "command-ids.h"
#include "ui-text.h"

namespace murlo::gui {

wxMenuBar* buildMainMenuBar(wxMenu*& fileMenu) {
  auto* file = new wxMenu;
  file->Append(ID_FILE_OPEN, u8("開く(&O)...\tCtrl+O"));
  file->Append(ID_FILE_SAVE_AS, u8("名前を付けて保存(&A)...\tCtrl+Q"));
  file->AppendSeparator();
  file->Append(ID_JOB_FILE_SAVE, u8("Job ﾌｧｲﾙへの保存(&S)"));
  file->Append(ID_JOB_FILE_RESUME, u8("Job ﾌｧｲﾙからの再開(&R)"));
  file->AppendSeparator();
  file->Append(ID_WIZARD, u8("ｳｨｻﾞｰﾄﾞ(&W)"));
  file->AppendSeparator();
  file->Append(ID_APP_EXIT, u8("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));

  auto* list = new wxMenu;
  list->Append(ID_ADD_ITEM_DIALOG, u8("追加(&A)\tCtrl+A"));
  list->Append(ID_DELETE, u8("削除(&E)\tCtrl+E"));
  list->Append(ID_COPY, u8("ｺﾋﾟｰ(&C)\tCtrl+C"));
  list->AppendSeparator();
  list->Append(ID_CHECK_DUPLICATES, u8("重複ﾈｰﾑの確認(&O)"));
  list->Append(ID_PROPERTIES, u8("ﾌﾟﾛﾊﾟﾃｨ(&P)"));
  list->AppendSeparator();
  list->Append(ID_MOVE_UP, "&Up");
  list->Append(ID_MOVE_DOWN, "&Down");
  list->AppendSeparator();
  list->Append(ID_DELETE_ALL, "&Delete All");
  list->Append(ID_ONLY_JPEG, "Only &Jpeg");
  list->Append(ID_NOT_HTML, "Not &Html");
  list->Append(ID_ONLY_STATE, "Only &State");
  list->Append(ID_DELETE_FINISHED, "Del &Finished");
  list->Append(ID_DELETE_ERROR, "Del &Error");

  auto* tags = new wxMenu;
  tags->AppendCheckItem(ID_TAG_IMG, "&IMG SRC\tAlt+0");
  tags->AppendCheckItem(ID_TAG_HREF, "A &HREF\tAlt+1");
  tags->AppendCheckItem(ID_TAG_BODY, "&BODY\tAlt+2");
  tags->AppendCheckItem(ID_TAG_FRAME, "&FRAME\tAlt+3");

  auto* job = new wxMenu;
  job->Append(ID_ANALYZE, u8("解析(&N)\tCtrl+N"));
  job->Append(ID_DOWNLOAD, u8("ﾀﾞｳﾝﾛｰﾄﾞ(&D)\tCtrl+D"));
  job->Append(ID_RUN, u8("実行(&D)"));
  job->Append(ID_SUSPEND, u8("中断(&S)"));
  job->Append(ID_STOP, u8("中止(&C)"));
  job->AppendSeparator();
  job->Append(ID_RECURSIVE, u8("再帰的解析(&I)"));
  job->Append(ID_RESUME_ENTRY, u8("ﾚｼﾞｭｰﾑ(&R)..."));
  job->Append(ID_LOCAL_FILE, u8("ﾛｰｶﾙﾌｧｲﾙの解析(&A)..."));
  job->AppendSeparator();
  job->AppendSubMenu(tags, u8("解析ﾀｸﾞ(&T)"));

  auto* view = new wxMenu;
  view->AppendCheckItem(ID_VIEW_TOOLBAR, u8("ﾂｰﾙﾊﾞｰ(&T)"));
  view->AppendCheckItem(ID_VIEW_STATUS_BAR, u8("ｽﾃｰﾀｽﾊﾞｰ(&S)"));
  view->AppendCheckItem(ID_VIEW_ADD_BAR, u8("ｱｲﾃﾑ追加ﾊﾞｰ(&A)"));
  view->AppendCheckItem(ID_VIEW_LIST_BAR, u8("ﾘｽﾄﾂｰﾙﾊﾞｰ(&L)"));
  view->AppendCheckItem(ID_VIEW_OUTPUT, u8("ｱｳﾄﾌﾟｯﾄ(&O)"));
  view->AppendSeparator();
  view->AppendCheckItem(ID_PROGRESS_WINDOW, u8("動作状況(&I)"));
  view->Append(ID_TREE_VIEW, u8("ｱｲﾃﾑのﾂﾘｰ表示(&I)"));

  auto* tools = new wxMenu;
  tools->Append(ID_SETTINGS, u8("設定(&S)...\tCtrl+S"));
  tools->Append(ID_CHANGE_FOLDER, u8("ﾌｫﾙﾀﾞの変更(&F)\tCtrl+F"));
  tools->AppendCheckItem(ID_OFFLINE, u8("ｵﾌﾗｲﾝ作業(&W)"));
  tools->Append(ID_OPEN_LOG, u8("ﾛｸﾞﾌｧｲﾙを開く(L)..."));

  auto* help = new wxMenu;
  help->Append(ID_HELP, u8("ﾍﾙﾌﾟ(&H)..."));
  help->Append(ID_APP_ABOUT, u8("ﾊﾞｰｼﾞｮﾝ情報(Murlo) (&A)..."));

  auto* bar = new wxMenuBar;
  bar->Append(file, u8("ﾌｧｲﾙ(&F)"));
  bar->Append(list, u8("ﾘｽﾄ(&L)"));
  bar->Append(job, u8("作業(&J)"));
  bar->Append(view, u8("表示(&V)"));
  bar->Append(tools, u8("ﾂｰﾙ(&T)"));
  bar->Append(help, u8("ﾍﾙﾌﾟ(&H)"));
  fileMenu = file;
  return bar;
}

const char* toolTip(int id) {
  switch (id) {
    case ID_FILE_OPEN: return "開く";
    case ID_FILE_SAVE_AS: return "名前を付けて保存";
    case ID_JOB_FILE_RESUME: return "Job ﾌｧｲﾙからの再開";
    case ID_JOB_FILE_SAVE: return "Job ﾌｧｲﾙへの保存";
    case ID_SETTINGS: return "設定";
    case ID_CHANGE_FOLDER: return "ﾌｫﾙﾀﾞの変更";
    case ID_LOCAL_FILE: return "ﾛｰｶﾙﾌｧｲﾙの解析";
    case ID_RESUME_ENTRY: return "ﾀﾞｳﾝﾛｰﾄﾞを再開します";
    case ID_WIZARD: return "ｳｨｻﾞｰﾄﾞ";
    case ID_RECURSIVE: return "再帰的解析";
    case ID_RUN: return "実行";
    case ID_SUSPEND: return "中断";
    case ID_STOP: return "中止";
    case ID_TREE_VIEW: return "ｱｲﾃﾑの場所をより視覚的に分かりやすく表示します";
    case ID_ADD_ITEM_DIALOG: return "追加";
    case ID_DELETE: return "削除";
    case ID_COPY: return "ｺﾋﾟｰ";
    case ID_ANALYZE: return "解析";
    case ID_DOWNLOAD: return "ﾀﾞｳﾝﾛｰﾄﾞ";
    case ID_CHECK_DUPLICATES: return "重複ﾈｰﾑの確認";
    case ID_PROPERTIES: return "ﾌﾟﾛﾊﾟﾃｨ";
    case ID_MOVE_UP: return "上へ";
    case ID_MOVE_DOWN: return "下へ";
    case ID_PASTE_URL: return "ｸﾘｯﾌﾟﾎﾞｰﾄﾞからURLを貼り付け";
    case ID_ADD_FROM_BAR: return "ｱｲﾃﾑを追加";
    default: return "";
  }
}

}  // namespace murlo::gui
