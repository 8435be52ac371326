#include "progress-dlg.h"

#include <wx/button.h>
#include <wx/sizer.h>

#include "command-ids.h"
#include "jobs/progress-figures.h"
#include "ui-text.h"

namespace murlo::gui {

CProgressDlg::CProgressDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, u8("動作状況"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  group_ = new wxStaticBoxSizer(wxVERTICAL, this, u8("ﾀﾞｳﾝﾛｰﾄﾞ中..."));
  auto* grid = new wxFlexGridSizer(2, wxSize(12, 4));
  const std::pair<int, const char*> rows[] = {
      {kProgress, "進行状況："},      {kRemainingTime, "推定残り時間 ："},
      {kElapsed, "経過時間 ："},      {kRemainingBytes, "推定ﾌｧｲﾙ残量 ："},
      {kDownloaded, "ﾀﾞｳﾝﾛｰﾄﾞ量 ："}, {kSpeed, "通信速度 ："},
  };
  for (const auto& [id, label] : rows) {
    grid->Add(new wxStaticText(group_->GetStaticBox(), wxID_ANY, u8(label)), 0, wxALIGN_RIGHT);
    auto* value = new wxStaticText(group_->GetStaticBox(), id, "*", wxDefaultPosition,
                                   wxSize(160, -1), wxST_NO_AUTORESIZE);
    figures_[id] = value;
    grid->Add(value, 1, wxEXPAND);
  }
  group_->Add(grid, 0, wxALL | wxEXPAND, 6);
  gauge_ = new wxGauge(group_->GetStaticBox(), wxID_ANY, 1000);
  group_->Add(gauge_, 0, wxALL | wxEXPAND, 6);
  top->Add(group_, 0, wxALL | wxEXPAND, 8);

  hangUp_ = new wxCheckBox(this, kHangUpBox, u8("動作が終了したら、回線を切断する"));
  top->Add(hangUp_, 0, wxLEFT | wxRIGHT, 8);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* suspend = new wxButton(this, kSuspendButton, u8("中断(&S)"));
  auto* stop = new wxButton(this, kStopButton, u8("中止(&C)"));
  buttons->Add(suspend, 0, wxALL, 4);
  buttons->Add(stop, 0, wxALL, 4);
  top->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 4);
  SetSizerAndFit(top);
  resetFigures();

  suspend->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    if (onCommand_) onCommand_(ID_SUSPEND);
  });
  stop->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    if (onCommand_) onCommand_(ID_STOP);
  });
  hangUp_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& e) {
    if (onHangUp_) onHangUp_(e.IsChecked());
  });
  // Closing the window only hides it; the job goes on.
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Hide(); });
}

namespace {

const char* captionText(JobCaption caption) {
  switch (caption) {
    case JobCaption::kDownloading: return "ﾀﾞｳﾝﾛｰﾄﾞ中...";
    case JobCaption::kAnalysing: return "解析中...";
    case JobCaption::kFinishing: return "終了作業中...";
  }
  return "";
}

}  // namespace

void CProgressDlg::showFigures(const JobProgress& p) {
  wxStaticBox* box = group_->GetStaticBox();
  const wxString caption = u8(captionText(p.caption));
  if (box->GetLabel() != caption) box->SetLabel(caption);
  if (!IsShown()) return;
  setFigure(kElapsed, formatFigure(p.elapsedSeconds, 0, FigureKind::kTime));
  if (!p.download) return;
  setFigure(kRemainingTime, formatFigure(p.remainingSeconds, 0, FigureKind::kTime));
  setFigure(kRemainingBytes, formatFigure(p.remainingBytes, 0, FigureKind::kBytes));
  setFigure(kDownloaded, formatFigure(p.downloadedBytes, 0, FigureKind::kBytes));
  setFigure(kSpeed, formatFigure(p.bytesPerSecond, 0, FigureKind::kSpeed));
  setFigure(kProgress, formatFigure(p.done, p.total, FigureKind::kCount));
  setFileProgress(p.fileDoneBytes, p.fileTotalBytes);
}

void CProgressDlg::setFigure(int control, const std::string& text) {
  auto it = figures_.find(control);
  if (it != figures_.end() && it->second->GetLabel() != u8(text)) it->second->SetLabel(u8(text));
}

std::string CProgressDlg::figure(int control) const {
  auto it = figures_.find(control);
  return it == figures_.end() ? std::string() : std::string(it->second->GetLabel().utf8_str());
}

void CProgressDlg::resetFigures() {
  for (int id : {kProgress, kRemainingTime, kRemainingBytes, kDownloaded, kSpeed})
    setFigure(id, "*");
  setFigure(kElapsed, "00:00:00");
  gauge_->SetValue(0);
}

void CProgressDlg::setFileProgress(std::int64_t done, std::int64_t total) {
  if (total > 0) {
    gauge_->SetValue(static_cast<int>(std::min<std::int64_t>(1000, done * 1000 / total)));
  } else if (done > 0) {
    gauge_->Pulse();
  } else {
    gauge_->SetValue(0);
  }
}

}  // namespace murlo::gui
