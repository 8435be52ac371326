// The volumes the folder chooser offers in place of drive letters: the root file system,
// the home folder and the local volumes mounted where a file manager shows them.
#pragma once

#include <string>
#include <vector>

#include "platform/mount-table.h"

namespace murlo {

struct Volume {
  std::string path;
  DriveType type;
};

// The root, the home folder (when it is not the root), then in table order every mount
// under /media, /run/media or /mnt that is fixed, removable or optical. Network and kernel
// file systems are left out, and each mount point is listed once.
std::vector<Volume> localVolumes(const std::vector<MountEntry>& mounts, const std::string& home);

// localVolumes of this machine's mount table and $HOME.
std::vector<Volume> systemVolumes();

}  // namespace murlo
