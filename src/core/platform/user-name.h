// The names of the users who own files, for messages about a file someone else left.
#pragma once

#include <sys/types.h>

#include <string>

namespace murlo {

// The login name of `uid`, or "uid NUMBER" when the system knows none.
std::string userName(uid_t uid);

}  // namespace murlo
