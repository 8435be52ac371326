// The program's command, control and timer identifiers.
#pragma once

namespace murlo::gui {

// The window system takes identifiers below 0x7FFF; the program's numbers above it keep
// their low fifteen bits, which stay distinct across the whole set.
constexpr int cmd(int programId) { return programId & 0x7FFF; }

enum CommandId : int {
  // Application
  ID_APP_ABOUT = cmd(57664),
  ID_OPEN_LOG = cmd(32771),
  ID_SETTINGS = cmd(32772),
  ID_HELP = cmd(57670),
  ID_OFFLINE = cmd(32815),
  ID_CHANGE_FOLDER = cmd(32818),
  ID_FILE_NEW = cmd(57600),
  ID_FILE_OPEN = cmd(57601),
  ID_FILE_SAVE_AS = cmd(57603),
  ID_APP_EXIT = cmd(57665),
  ID_FILE_MRU_FIRST = cmd(57616),
  // Document
  ID_JOB_FILE_RESUME = cmd(32811),
  ID_JOB_FILE_SAVE = cmd(32810),
  ID_WIZARD = cmd(32775),
  ID_TAG_IMG = cmd(32828),
  ID_TAG_HREF = cmd(32829),
  ID_TAG_BODY = cmd(32830),
  ID_TAG_FRAME = cmd(32831),
  ID_TAG_HTML5 = cmd(32832),
  // List
  ID_ADD_ITEM_DIALOG = cmd(32776),
  ID_DELETE = cmd(32777),
  ID_COPY = cmd(32778),
  ID_CHECK_DUPLICATES = cmd(32781),
  ID_PROPERTIES = cmd(32782),
  ID_MOVE_UP = cmd(32806),
  ID_MOVE_DOWN = cmd(32805),
  ID_DELETE_ALL = cmd(32783),
  ID_ONLY_JPEG = cmd(32785),
  ID_NOT_HTML = cmd(32786),
  ID_ONLY_STATE = cmd(32787),
  ID_DELETE_FINISHED = cmd(32816),
  ID_DELETE_ERROR = cmd(32817),
  // Jobs
  ID_ANALYZE = cmd(32779),
  ID_DOWNLOAD = cmd(32780),
  ID_RUN = cmd(32799),
  ID_SUSPEND = cmd(32800),
  ID_STOP = cmd(32801),
  ID_RECURSIVE = cmd(32808),
  ID_RESUME_ENTRY = cmd(32774),
  ID_LOCAL_FILE = cmd(32773),
  ID_PROGRESS_WINDOW = cmd(32802),
  ID_TREE_VIEW = cmd(32822),
  // Frame and bars
  ID_VIEW_ADD_BAR = cmd(61205),
  ID_URL_COMBO = cmd(61204),
  ID_ADD_FROM_BAR = cmd(61206),
  ID_PASTE_URL = cmd(57637),
  ID_VIEW_OUTPUT = cmd(32789),
  ID_VIEW_LIST_BAR = cmd(32807),
  ID_VIEW_TOOLBAR = cmd(59392),
  ID_VIEW_STATUS_BAR = cmd(59393),
  ID_WORK_ICON_PANE = cmd(61209),
  // Timers
  ID_TIMER_ANALYSIS = 1234,
  ID_TIMER_DOWNLOAD = 4321,
};

}  // namespace murlo::gui
