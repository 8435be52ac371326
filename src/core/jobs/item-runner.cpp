#include "jobs/item-runner.h"

#include "jobs/job-host.h"
#include "jobs/write-output.h"
#include "net/connection-share.h"
#include "net/cookie-jar.h"
#include "net/error-log.h"
#include "net/job-record.h"
#include "platform/prompter.h"

namespace murlo {

namespace {

// The cookies of the settings' cookie file for a job; none when no file is named, or when it
// cannot be read (the user is told, and the job goes on without cookies).
std::shared_ptr<CookieJar> settingsCookies(const AppSettings& settings, Prompter& prompter) {
  if (settings.cookieFile.empty()) return nullptr;
  CookieJar::Loaded loaded = CookieJar::load(settings.cookieFile);
  if (!loaded.jar) {
    prompter.message(loaded.error + "\r\nｸｯｷｰを使わずに続けます。", PromptIcon::kExclamation,
                     PromptButtons::kOk);
  }
  return loaded.jar;
}

}  // namespace

ItemRunner::ItemRunner(JobHost& host)
    : host_(host), record_(std::make_shared<JobRecord>()), slot_([&host] { host.wake(); }) {}

ItemRunner::~ItemRunner() = default;

void ItemRunner::beginJob() {
  settings_ = host_.settings();
  connections_ = std::make_shared<ConnectionShare>();
  // The host's prompter outlives the job's threads; the record only borrows it.
  prompter_ = std::shared_ptr<Prompter>(host_.prompter(), [](Prompter*) {});
  cookies_ = host_.sharedCookies();
  if (!cookies_) cookies_ = settingsCookies(settings_, *host_.prompter());
  record_->movement = settings_.movement;
  started_ = std::chrono::steady_clock::now();
}

std::shared_ptr<JobRecord> ItemRunner::makeRecord(const JobRecord& previous) const {
  auto record = std::make_shared<JobRecord>();
  fillFromSettings(*record, settings_, host_.appDirectory());
  record->movement = previous.movement.load();
  record->prompter = prompter_;
  record->connections = connections_;
  record->keptAnswers = keptAnswers_;
  record->cookies = cookies_;
  return record;
}

JobRecord& ItemRunner::newItem() {
  record_ = makeRecord(*record_);
  return *record_;
}

JobRecord& ItemRunner::newItemAhead() {
  ahead_.push_back(makeRecord(ahead_.empty() ? *record_ : *ahead_.back()));
  return *ahead_.back();
}

bool ItemRunner::advance() {
  if (ahead_.empty()) return false;
  record_ = std::move(ahead_.front());
  ahead_.pop_front();
  return true;
}

std::size_t ItemRunner::withdrawAhead() {
  const std::size_t count = slot_.withdraw(ahead_.size());
  ahead_.resize(ahead_.size() - count);
  return count;
}

bool ItemRunner::dropAhead(std::size_t index) {
  const auto it = ahead_.begin() + static_cast<std::ptrdiff_t>(index);
  if (!slot_.withdraw(*it)) {
    (*it)->stopEvent.set();
    return false;
  }
  ahead_.erase(it);
  return true;
}

void ItemRunner::writeResult(const std::string& address) {
  if (const std::string notice = record_->notice.get(); !notice.empty()) {
    host_.writeOutput(OUT_NOTICE, notice);
  }
  host_.writeOutput(record_->result, address);
  reportLogFailure(*record_, *host_.prompter());
}

void ItemRunner::stopCurrent() { record_->stopEvent.set(); }

void ItemRunner::endWithoutThread() { record_->doneEvent.set(); }

bool ItemRunner::doneTest() {
  if (!record_->doneEvent.tryWait()) return false;
  slot_.finish();
  return true;
}

bool ItemRunner::stop() {
  withdrawAhead();
  if (slot_.stop()) return true;
  // The given-up thread keeps the connection cache it used to itself.
  connections_ = std::make_shared<ConnectionShare>();
  return false;
}

std::int64_t ItemRunner::elapsedMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               started_)
      .count();
}

}  // namespace murlo
