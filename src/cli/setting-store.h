// Changing one named setting from the command line, for `murlo-cli settings NAME VALUE` and
// for the per-run options of the job commands alike.
#pragma once

#include <string>

#include "platform/prompter.h"
#include "settings/app-settings.h"

namespace murlo {
struct SettingName;
}  // namespace murlo

namespace murlo::cli {

// The setting of that name; nullptr after printing the names there are.
const SettingName* namedSetting(const std::string& name);

// Stores VALUE under NAME in `settings`. A save folder must be a folder: a missing one is
// created (one level) when `prompter` gets Yes to the question, anything else is refused.
// False, after printing why (a bad name or value with the allowed ones), when nothing was
// stored.
bool storeSetting(const std::string& name, const std::string& value, AppSettings& settings,
                  Prompter& prompter);

}  // namespace murlo::cli
