// The fixture of the controller tests: a sandbox as application directory with a save
// folder, a recording host over it, and an HTTP server on 127.0.0.1.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "http-test-server.h"
#include "recording-host.h"
#include "sandbox.h"

namespace murlo::test {

class JobTest : public ::testing::Test {
 protected:
  JobTest();

  // Appends the address as the add-item bar does (tag "ADD"); returns its row.
  int addRow(const std::string& address, bool selected = false);
  // Serves `body` at `path`.
  void serve(const std::string& path, const std::string& body,
             const std::string& type = "application/octet-stream");
  // Serves what `answer` makes of each request at the paths `pattern` (a regular expression)
  // matches.
  void serveBy(const std::string& pattern,
               std::function<std::string(const httplib::Request&)> answer,
               const std::string& type = "text/html");
  std::string saveDir() const { return sandbox_.path("save") + "/"; }
  std::string saved(const std::string& name) const { return readFile(saveDir() + name); }
  // The fileName column of every row, joined with ";".
  std::string names() const;
  // The paths requested from serve()d routes, in order.
  std::vector<std::string> requests();

  Sandbox sandbox_;
  RecordingHost host_{sandbox_.dir()};
  HttpTestServer server_;

 private:
  std::mutex mutex_;
  std::vector<std::string> requests_;
};

}  // namespace murlo::test
