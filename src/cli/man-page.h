// The manual page of murlo-cli (man 1), made from the help's table and the setting names.
#pragma once

#include <string>

namespace murlo::cli {

// The page in man(7) markup, UTF-8; `version` goes into its header.
std::string manPage(const std::string& version);

}  // namespace murlo::cli
