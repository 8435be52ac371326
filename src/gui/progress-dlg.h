// CProgressDlg: the modeless "動作状況" window with the job's figures, a gauge for the
// current file, the suspend and stop buttons and the hang-up check box.
#pragma once

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <cstdint>
#include <functional>
#include <map>

#include "jobs/job-progress.h"

namespace murlo::gui {

class CProgressDlg : public wxDialog {
 public:
  // Control identifiers of the figures.
  static constexpr int kGroup = 1036;
  static constexpr int kProgress = 1037;
  static constexpr int kRemainingTime = 1038;
  static constexpr int kElapsed = 1039;
  static constexpr int kRemainingBytes = 1040;
  static constexpr int kDownloaded = 1041;
  static constexpr int kSpeed = 1042;
  static constexpr int kSuspendButton = 1001;
  static constexpr int kStopButton = 1002;
  static constexpr int kHangUpBox = 1004;

  explicit CProgressDlg(wxWindow* parent);

  // The caption always; the figures and the file's gauge while the window is shown.
  void showFigures(const JobProgress& progress);
  // "*" everywhere, the elapsed time "00:00:00".
  void resetFigures();
  std::string figure(int control) const;

  // The check box mirrors dial::kHangUp: set from it on every show, written back on click.
  void setHangUp(bool on) { hangUp_->SetValue(on); }
  void setHangUpListener(std::function<void(bool)> listener) { onHangUp_ = std::move(listener); }
  // The suspend and stop buttons run these commands.
  void setCommandListener(std::function<void(int commandId)> listener) {
    onCommand_ = std::move(listener);
  }

  wxCheckBox* hangUpBox() { return hangUp_; }

 private:
  void setFigure(int control, const std::string& text);
  // The current file: bytes done of a known total; an unknown total shows a moving bar.
  void setFileProgress(std::int64_t done, std::int64_t total);

  wxStaticBoxSizer* group_ = nullptr;
  std::map<int, wxStaticText*> figures_;
  wxGauge* gauge_ = nullptr;
  wxCheckBox* hangUp_ = nullptr;
  std::function<void(bool)> onHangUp_;
  std::function<void(int)> onCommand_;
};

}  // namespace murlo::gui
