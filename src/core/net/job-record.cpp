#include "net/job-record.h"

#include "settings/app-settings.h"
#include "text/disk-name.h"

namespace murlo {

void fillFromSettings(ItemRequest& request, const AppSettings& settings,
                      const std::string& appDir) {
  request.movement = settings.movement;
  request.connection = settings.connection;
  request.output = settings.output;
  request.tag = settings.tag;
  request.exset = settings.exSet;
  request.appDir = appDir;
  request.proxy = settings.proxyText();
  request.caFile = settings.caFile;
  request.bufferSize = settings.bufferBytes();
  request.timeoutMs = settings.timeoutMs();
  // A save folder that was never chosen is the application directory.
  request.saveDir = settings.path01.empty() ? appDir + (appDir.ends_with('/') ? "" : "/")
                                            : diskPath(settings.saveFolder());
}

}  // namespace murlo
