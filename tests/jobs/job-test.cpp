#include "job-test.h"

#include <sys/stat.h>

#include "analysis/address.h"

namespace murlo::test {

JobTest::JobTest() {
  ::mkdir(saveDir().c_str(), 0777);
  AppSettings& s = host_.settingsValue;
  s.path01 = saveDir();
  s.movement = movement::kAutoRename;
  s.connection = connection::kTimeout | (1 << 8);  // 10-second time-out
  s.output = 127;
}

int JobTest::addRow(const std::string& address, bool selected) {
  const SplitAddress split = splitUrl(address);
  host_.list.AddItem(split.fileName, split.url, "ADD", split.extension, "", "");
  const int row = host_.list.count() - 1;
  host_.list.setSelected(row, selected);
  return row;
}

void JobTest::serve(const std::string& path, const std::string& body, const std::string& type) {
  serveBy(
      path, [body](const httplib::Request&) { return body; }, type);
}

void JobTest::serveBy(const std::string& pattern,
                      std::function<std::string(const httplib::Request&)> answer,
                      const std::string& type) {
  server_.routes().Get(pattern, [this, answer = std::move(answer), type](
                                    const httplib::Request& request, httplib::Response& response) {
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(request.path);
    }
    response.set_content(answer(request), type);
  });
}

std::string JobTest::names() const {
  std::string out;
  for (int i = 0; i < host_.list.count(); ++i) out += host_.list.text(i, kColFileName) + ";";
  return out;
}

std::vector<std::string> JobTest::requests() {
  std::lock_guard lock(mutex_);
  return requests_;
}

}  // namespace murlo::test
