#include "logic/item-tree.h"

#include <algorithm>
#include <functional>
#include <set>

namespace murlo::gui {

namespace {

int deleteRowsWhere(ItemList& list, const std::function<bool(const ItemRecord&)>& match) {
  const int before = list.count();
  list.deleteIf(match);
  return before - list.count();
}

DirectoryNode& childNamed(DirectoryNode& parent, const std::string& segment) {
  const std::string name = segment.empty() ? "." : segment;
  for (DirectoryNode& child : parent.children) {
    if (child.name == name) return child;
  }
  parent.children.push_back({name, parent.path + segment + "/", {}});
  return parent.children.back();
}

void sortTree(DirectoryNode& node) {
  std::sort(node.children.begin(), node.children.end(),
            [](const DirectoryNode& a, const DirectoryNode& b) { return a.name < b.name; });
  for (DirectoryNode& child : node.children) sortTree(child);
}

}  // namespace

std::string_view directoryPathOf(std::string_view url) {
  const std::size_t scheme = url.find("://");
  return scheme == std::string_view::npos ? url : url.substr(scheme + 3);
}

std::string hostOfAddress(std::string_view url) {
  const std::string_view path = directoryPathOf(url);
  return std::string(path.substr(0, path.find('/')));
}

std::vector<std::string> listHosts(const ItemList& list) {
  std::set<std::string> hosts;
  for (int row = 0; row < list.count(); ++row) hosts.insert(hostOfAddress(list.text(row, kColUrl)));
  return {hosts.begin(), hosts.end()};
}

DirectoryNode directoryTree(const ItemList& list, const std::string& host) {
  DirectoryNode root{host, host + "/", {}};
  for (int row = 0; row < list.count(); ++row) {
    const std::string& url = list.text(row, kColUrl);
    if (hostOfAddress(url) != host) continue;
    std::string_view rest = directoryPathOf(url).substr(host.size());
    if (!rest.empty()) rest.remove_prefix(1);  // the "/" after the host
    DirectoryNode* parent = &root;
    // Each segment followed by "/" is a directory; a text after the last "/" is not.
    for (std::size_t slash = rest.find('/'); slash != std::string_view::npos;
         slash = rest.find('/')) {
      parent = &childNamed(*parent, std::string(rest.substr(0, slash)));
      rest.remove_prefix(slash + 1);
    }
  }
  sortTree(root);
  return root;
}

std::vector<int> rowsInDirectory(const ItemList& list, std::string_view path) {
  std::vector<int> rows;
  for (int row = 0; row < list.count(); ++row) {
    if (directoryPathOf(list.text(row, kColUrl)) == path) rows.push_back(row);
  }
  return rows;
}

int deleteHostRows(ItemList& list, std::string_view host) {
  return deleteRowsWhere(list,
                         [host](const ItemRecord& r) { return hostOfAddress(r.url) == host; });
}

int deleteDirectoryRows(ItemList& list, std::string_view path) {
  return deleteRowsWhere(
      list, [path](const ItemRecord& r) { return directoryPathOf(r.url).starts_with(path); });
}

int deleteFileRows(ItemList& list, std::string_view path, std::string_view fileName) {
  return deleteRowsWhere(list, [path, fileName](const ItemRecord& r) {
    return r.fileName == fileName && directoryPathOf(r.url) == path;
  });
}

}  // namespace murlo::gui
