// The list commands of the item list: adding through the add-item dialog, delete, copy, move,
// duplicate check, the extended-list filters and dropping addresses onto the list. UI thread
// only.
#pragma once

#include <wx/event.h>

#include <functional>
#include <string>

#include "app-context.h"

namespace murlo::gui {

class CMurloDoc;
class CMurloView;

class ListCommands {
 public:
  // Dialogs open over `parent`; a dropped address is handed to `rememberAddress` (the
  // add-item bar's list) before it is added.
  ListCommands(wxWindow& parent, AppContext& app, CMurloDoc& doc, CMurloView& view,
               std::function<void(const std::string&)> rememberAddress);

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

  wxWindow& parent_;
  AppContext& app_;
  CMurloDoc& doc_;
  CMurloView& view_;
  std::function<void(const std::string&)> rememberAddress_;
};

}  // namespace murlo::gui
