// pyftpdlib on 127.0.0.1 and a free port, serving a folder to anonymous users. Started by
// the FTP tests' fixture and stopped (its own process only) when the object goes.
#pragma once

#include <sys/types.h>

#include <string>

namespace murlo::test {

class FtpTestServer {
 public:
  explicit FtpTestServer(const std::string& root);
  ~FtpTestServer();
  FtpTestServer(const FtpTestServer&) = delete;
  FtpTestServer& operator=(const FtpTestServer&) = delete;

  bool running() const { return running_; }
  std::string url(const std::string& path) const;

 private:
  pid_t pid_ = -1;
  int port_ = 0;
  bool running_ = false;
};

}  // namespace murlo::test
