// The main window's title: the document title, " - Murlo", and the offline mark.
#pragma once

#include <string>

#include "jobs/job-host.h"

namespace murlo::gui {

// The program's name and version, as the window shows it while no download runs.
inline constexpr const char* kDocumentTitle = kIdleFrameTitle;
inline constexpr const char* kApplicationTitle = "Murlo";
inline constexpr const char* kOfflineMark = " - [ｵﾌﾗｲﾝ作業]";

std::string windowTitle(const std::string& documentTitle, bool offline);

}  // namespace murlo::gui
