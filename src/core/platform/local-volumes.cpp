#include "platform/local-volumes.h"

#include <algorithm>
#include <cstdlib>

namespace murlo {
namespace {

bool isUserMount(const std::string& dir) {
  for (const char* root : {"/media/", "/run/media/", "/mnt/"}) {
    if (dir.rfind(root, 0) == 0) return true;
  }
  return false;
}

}  // namespace

std::vector<Volume> localVolumes(const std::vector<MountEntry>& mounts, const std::string& home) {
  std::vector<Volume> volumes = {{"/", DriveType::kFixed}};
  auto listed = [&](const std::string& path) {
    return std::any_of(volumes.begin(), volumes.end(),
                       [&](const Volume& v) { return v.path == path; });
  };
  if (!home.empty() && !listed(home)) volumes.push_back({home, driveTypeOf(home, mounts)});
  for (const MountEntry& m : mounts) {
    const DriveType type = classifyMount(m);
    if (!isUserMount(m.dir) || listed(m.dir)) continue;
    if (type == DriveType::kNetwork || type == DriveType::kVirtual) continue;
    volumes.push_back({m.dir, type});
  }
  return volumes;
}

std::vector<Volume> systemVolumes() {
  const char* home = std::getenv("HOME");
  return localVolumes(readMountTable(), home ? home : "");
}

}  // namespace murlo
