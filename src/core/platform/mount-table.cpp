#include "platform/mount-table.h"

#include <mntent.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace murlo {
namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool oneOf(std::string_view type, std::initializer_list<std::string_view> names) {
  for (std::string_view n : names) {
    if (type == n) return true;
  }
  return false;
}

// True when `dir` is `root` or lies below it.
bool isUnder(std::string_view dir, std::string_view root) {
  if (root == "/") return true;
  return startsWith(dir, root) && (dir.size() == root.size() || dir[root.size()] == '/');
}

}  // namespace

DriveType classifyMount(const MountEntry& entry) {
  const std::string_view type = entry.type;
  if (oneOf(type, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "ceph", "9p",
                   "glusterfs", "davfs", "sshfs"}) ||
      oneOf(type, {"fuse.sshfs", "fuse.davfs2", "fuse.rclone", "fuse.glusterfs", "fuse.s3fs"})) {
    return DriveType::kNetwork;
  }
  if (oneOf(type, {"iso9660", "udf"})) return DriveType::kOptical;
  if (oneOf(type, {"proc",    "sysfs",       "devpts",    "devtmpfs",   "cgroup",
                   "cgroup2", "securityfs",  "debugfs",   "tracefs",    "pstore",
                   "bpf",     "mqueue",      "hugetlbfs", "configfs",   "fusectl",
                   "autofs",  "binfmt_misc", "efivarfs",  "rpc_pipefs", "nsfs"})) {
    return DriveType::kVirtual;
  }
  if (isUnder(entry.dir, "/media") || isUnder(entry.dir, "/run/media")) {
    return DriveType::kRemovable;
  }
  return DriveType::kFixed;
}

std::vector<MountEntry> readMountTable(const std::string& tablePath) {
  std::vector<MountEntry> mounts;
  FILE* table = setmntent(tablePath.c_str(), "r");
  if (!table) return mounts;
  std::array<char, 4096> buffer{};
  mntent entry{};
  // getmntent_r decodes the table's "\040" escapes of blanks in mount points.
  while (getmntent_r(table, &entry, buffer.data(), static_cast<int>(buffer.size()))) {
    mounts.push_back({entry.mnt_fsname, entry.mnt_dir, entry.mnt_type});
  }
  endmntent(table);
  return mounts;
}

const MountEntry* mountHolding(const std::vector<MountEntry>& mounts, const std::string& path) {
  const MountEntry* found = nullptr;
  for (const MountEntry& m : mounts) {
    // Among nested mounts the longest mount point holds the path; among mounts on the same
    // point the last one is the one in view.
    if (isUnder(path, m.dir) && (!found || m.dir.size() >= found->dir.size())) found = &m;
  }
  return found;
}

DriveType driveTypeOf(const std::string& path, const std::vector<MountEntry>& mounts) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path existing = fs::absolute(path, ec);
  if (ec) return DriveType::kFixed;
  while (!fs::exists(existing, ec) && existing.has_relative_path()) {
    existing = existing.parent_path();
  }
  const fs::path resolved = fs::canonical(existing, ec);
  const MountEntry* mount = mountHolding(mounts, ec ? existing.string() : resolved.string());
  return mount ? classifyMount(*mount) : DriveType::kFixed;
}

}  // namespace murlo
