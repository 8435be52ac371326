// The tags the program gives the rows it adds, as they stand in the tag column and in list
// files.
#pragma once

namespace murlo {

// Typed into the add bar or the add dialog.
inline constexpr const char* kAddTag = "ADD";
// The start address of a recursive analysis.
inline constexpr const char* kInductTag = "INDUCT";
// The address the wizard finishes with.
inline constexpr const char* kWizardTag = "WIZARD";
// A suspended download, continued from the partial file its info names.
inline constexpr const char* kResumeTag = "RESUME";

}  // namespace murlo
