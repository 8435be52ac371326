// The item list seen as hosts, directories and files, for the item tree view, and the
// deletions it offers. An address's host is the text between "://" and the next "/", and a
// directory is named by its path "host/a/b/"; matching is exact, so deleting one host or
// directory never touches another whose name merely contains it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "items/item-list.h"

namespace murlo::gui {

// The host of an item address: after "://" (when there is one) up to the next "/".
std::string hostOfAddress(std::string_view url);
// The directory path of an item address: the address after "://", e.g. "host/a/b/".
std::string_view directoryPathOf(std::string_view url);

// The hosts of the list, each once, sorted.
std::vector<std::string> listHosts(const ItemList& list);

// One directory below a host: its name as shown ("." for an empty segment), its path
// ("host/a/b/") and its sub-directories, sorted by name.
struct DirectoryNode {
  std::string name;
  std::string path;
  std::vector<DirectoryNode> children;
};

// The directory hierarchy of the items of `host`; the root is the host itself, with the
// path "host/".
DirectoryNode directoryTree(const ItemList& list, const std::string& host);

// The rows whose address is exactly the directory `path`, in list order.
std::vector<int> rowsInDirectory(const ItemList& list, std::string_view path);

// Deletions; each returns how many rows went.
int deleteHostRows(ItemList& list, std::string_view host);
// The rows of the directory `path` and of every directory below it.
int deleteDirectoryRows(ItemList& list, std::string_view path);
// The rows of `fileName` in exactly the directory `path`.
int deleteFileRows(ItemList& list, std::string_view path, std::string_view fileName);

}  // namespace murlo::gui
