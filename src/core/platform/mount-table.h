// The mount table and the kinds of volume it tells apart. A folder may be chosen as the
// save folder only on a fixed or removable volume; the folder chooser lists local volumes
// and leaves network file systems out.
#pragma once

#include <string>
#include <vector>

namespace murlo {

enum class DriveType {
  kFixed,      // a local writable file system
  kRemovable,  // removable media, mounted under /media or /run/media
  kOptical,    // a CD or DVD (iso9660, udf)
  kNetwork,    // nfs, cifs, smb, sshfs and the like
  kVirtual,    // kernel file systems (proc, sysfs, cgroup...): not a place for files
};

struct MountEntry {
  std::string device;
  std::string dir;   // the mount point, with the table's octal escapes decoded
  std::string type;  // the file-system type, "ext4", "fuse.sshfs"...
};

// The kind of volume a mount is, from its type and mount point.
DriveType classifyMount(const MountEntry& entry);

// The mounts of /proc/self/mounts (or `tablePath`) in order; empty when it cannot be read.
std::vector<MountEntry> readMountTable(const std::string& tablePath = "/proc/self/mounts");

// The mount that holds the absolute `path`: the last entry whose mount point is the path or
// one of its parents (later mounts hide earlier ones). Nothing when no entry matches.
const MountEntry* mountHolding(const std::vector<MountEntry>& mounts, const std::string& path);

// The kind of volume that holds `path`, looked up by its nearest existing parent with
// symbolic links resolved; kFixed when the table says nothing about it.
DriveType driveTypeOf(const std::string& path, const std::vector<MountEntry>& mounts);

}  // namespace murlo
