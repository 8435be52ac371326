// libcurl's process-wide initialisation, done once before the first handle is made.
#pragma once

namespace murlo {

// Thread-safe; raises an InternetError when libcurl cannot be initialised.
void initCurlOnce();

}  // namespace murlo
