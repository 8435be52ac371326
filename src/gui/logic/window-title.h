// The main window's title: the document title, " - Murlo", and the offline mark.
#pragma once

#include <string>

namespace murlo::gui {

inline constexpr const char* kDocumentTitle = "Murlo ver2.02";
inline constexpr const char* kApplicationTitle = "Murlo";
inline constexpr const char* kOfflineMark = " - [ｵﾌﾗｲﾝ作業]";

std::string windowTitle(const std::string& documentTitle, bool offline);

}  // namespace murlo::gui
