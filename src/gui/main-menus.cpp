#include "main-menus.h"

#include <wx/menu.h>

#include "command-help.h"
#include "command-ids.h"
#include "ui-text.h"

namespace murlo::gui {

void appendCommand(wxMenu* menu, int id, const char* text, wxItemKind kind) {
  menu->Append(id, u8(text), u8(commandHelp(id).prompt), kind);
}

wxMenuBar* buildMainMenuBar(wxMenu*& fileMenu) {
  auto* file = new wxMenu;
  appendCommand(file, ID_FILE_OPEN, "開く(&O)...\tCtrl+O");
  appendCommand(file, ID_FILE_SAVE_AS, "名前を付けて保存(&A)...\tCtrl+Q");
  file->AppendSeparator();
  appendCommand(file, ID_JOB_FILE_SAVE, "Job ﾌｧｲﾙへの保存(&S)");
  appendCommand(file, ID_JOB_FILE_RESUME, "Job ﾌｧｲﾙからの再開(&R)");
  file->AppendSeparator();
  appendCommand(file, ID_WIZARD, "ｳｨｻﾞｰﾄﾞ(&W)");
  file->AppendSeparator();
  appendCommand(file, ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)");

  auto* list = new wxMenu;
  appendCommand(list, ID_ADD_ITEM_DIALOG, "追加(&A)\tCtrl+A");
  appendCommand(list, ID_DELETE, "削除(&E)\tCtrl+E");
  appendCommand(list, ID_COPY, "ｺﾋﾟｰ(&C)\tCtrl+C");
  list->AppendSeparator();
  appendCommand(list, ID_CHECK_DUPLICATES, "重複ﾈｰﾑの確認(&O)");
  appendCommand(list, ID_PROPERTIES, "ﾌﾟﾛﾊﾟﾃｨ(&P)");
  list->AppendSeparator();
  appendCommand(list, ID_MOVE_UP, "&Up");
  appendCommand(list, ID_MOVE_DOWN, "&Down");
  list->AppendSeparator();
  appendCommand(list, ID_DELETE_ALL, "&Delete All");
  appendCommand(list, ID_ONLY_JPEG, "Only &Jpeg");
  appendCommand(list, ID_NOT_HTML, "Not &Html");
  appendCommand(list, ID_ONLY_STATE, "Only &State");
  appendCommand(list, ID_DELETE_FINISHED, "Del &Finished");
  appendCommand(list, ID_DELETE_ERROR, "Del &Error");

  auto* tags = new wxMenu;
  appendCommand(tags, ID_TAG_IMG, "&IMG SRC\tAlt+0", wxITEM_CHECK);
  appendCommand(tags, ID_TAG_HREF, "A &HREF\tAlt+1", wxITEM_CHECK);
  appendCommand(tags, ID_TAG_BODY, "&BODY\tAlt+2", wxITEM_CHECK);
  appendCommand(tags, ID_TAG_FRAME, "&FRAME\tAlt+3", wxITEM_CHECK);
  appendCommand(tags, ID_TAG_HTML5, "HTML&5\tAlt+4", wxITEM_CHECK);

  auto* job = new wxMenu;
  appendCommand(job, ID_ANALYZE, "解析(&N)\tCtrl+N");
  appendCommand(job, ID_DOWNLOAD, "ﾀﾞｳﾝﾛｰﾄﾞ(&D)\tCtrl+D");
  appendCommand(job, ID_RUN, "実行(&D)");
  appendCommand(job, ID_SUSPEND, "中断(&S)");
  appendCommand(job, ID_STOP, "中止(&C)");
  job->AppendSeparator();
  appendCommand(job, ID_RECURSIVE, "再帰的解析(&I)");
  appendCommand(job, ID_RESUME_ENTRY, "ﾚｼﾞｭｰﾑ(&R)...");
  appendCommand(job, ID_LOCAL_FILE, "ﾛｰｶﾙﾌｧｲﾙの解析(&A)...");
  job->AppendSeparator();
  job->AppendSubMenu(tags, u8("解析ﾀｸﾞ(&T)"));

  auto* view = new wxMenu;
  appendCommand(view, ID_VIEW_TOOLBAR, "ﾂｰﾙﾊﾞｰ(&T)", wxITEM_CHECK);
  appendCommand(view, ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽﾊﾞｰ(&S)", wxITEM_CHECK);
  appendCommand(view, ID_VIEW_ADD_BAR, "ｱｲﾃﾑ追加ﾊﾞｰ(&A)", wxITEM_CHECK);
  appendCommand(view, ID_VIEW_LIST_BAR, "ﾘｽﾄﾂｰﾙﾊﾞｰ(&L)", wxITEM_CHECK);
  appendCommand(view, ID_VIEW_OUTPUT, "ｱｳﾄﾌﾟｯﾄ(&O)", wxITEM_CHECK);
  view->AppendSeparator();
  appendCommand(view, ID_PROGRESS_WINDOW, "動作状況(&I)", wxITEM_CHECK);
  appendCommand(view, ID_TREE_VIEW, "ｱｲﾃﾑのﾂﾘｰ表示(&I)");

  auto* tools = new wxMenu;
  appendCommand(tools, ID_SETTINGS, "設定(&S)...\tCtrl+S");
  appendCommand(tools, ID_CHANGE_FOLDER, "ﾌｫﾙﾀﾞの変更(&F)\tCtrl+F");
  appendCommand(tools, ID_OFFLINE, "ｵﾌﾗｲﾝ作業(&W)", wxITEM_CHECK);
  appendCommand(tools, ID_OPEN_LOG, "ﾛｸﾞﾌｧｲﾙを開く(L)...");

  auto* help = new wxMenu;
  appendCommand(help, ID_HELP, "ﾍﾙﾌﾟ(&H)...");
  appendCommand(help, ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(Murlo) (&A)...");

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

}  // namespace murlo::gui
