// The list commands of the item list: adding through the add-item dialog, delete, copy, move,
// duplicate check, the extended-list filters and dropping addresses onto the list. UI thread
// only.
#pragma once

#include <wx/event.h>

namespace murlo::gui {

class CMainFrame;

class ListCommands {
 public:
  explicit ListCommands(CMainFrame& frame);

  // Runs a list command; false when `id` is not one of them.
  bool run(int id);
  // Sets the enabled state of a list command; false when `id` is not one of them.
  bool updateUi(wxUpdateUIEvent& event);

  // An address dropped onto the list: remembered in the add-item bar and added as "DROP".
  void dropAddress(const std::string& text);

 private:
  void addThroughDialog();
  void deleteSelected();
  void copyAddress();
  void checkDuplicates();
  void showProperties();
  void showItemTree();
  void move(int delta);
  void deleteAll();
  void onlyState();
  bool confirm(const std::string& question, bool evenWithoutConfirmations);

  CMainFrame& frame_;
};

// Accepts text beginning with "http" dropped onto the list.
bool isDroppableAddress(const std::string& text);

}  // namespace murlo::gui
