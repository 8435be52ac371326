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
    : host_(host),
      current_{{}, std::make_shared<JobRecord>()},
      slot_([&host] { host.wake(); }, host.stopPatience()) {}

ItemRunner::~ItemRunner() = default;

void ItemRunner::beginJob() {
  settings_ = host_.settings();
  connections_ = std::make_shared<ConnectionShare>();
  // The host's prompter outlives the job's threads; the record only borrows it.
  prompter_ = std::shared_ptr<Prompter>(host_.prompter(), [](Prompter*) {});
  cookies_ = host_.sharedCookies();
  if (!cookies_) cookies_ = settingsCookies(settings_, *host_.prompter());
  current_.record->movement = settings_.movement;
  started_ = std::chrono::steady_clock::now();
}

std::shared_ptr<JobRecord> ItemRunner::makeRecord(const JobRecord& previous) const {
  auto record = std::make_shared<JobRecord>();
  fillFromSettings(*record, settings_, host_.appDirectory());
  record->movement = previous.movement;
  record->prompter = prompter_;
  record->connections = connections_;
  record->keptAnswers = keptAnswers_;
  record->cookies = cookies_;
  return record;
}

ItemRunner::Handed& ItemRunner::newItem() {
  current_ = {{}, makeRecord(*current_.record)};
  return current_;
}

ItemRunner::Handed& ItemRunner::newItemAhead() {
  const JobRecord& previous = ahead_.empty() ? *current_.record : *ahead_.back().record;
  ahead_.push_back({{}, makeRecord(previous)});
  return ahead_.back();
}

bool ItemRunner::advance() {
  if (ahead_.empty()) return false;
  current_ = std::move(ahead_.front());
  ahead_.pop_front();
  return true;
}

void ItemRunner::withdrawAhead() { ahead_.resize(ahead_.size() - slot_.withdraw(ahead_.size())); }

void ItemRunner::dropAheadIf(const std::function<bool(JobItem&)>& gone) {
  for (auto it = ahead_.begin(); it != ahead_.end();) {
    if (!gone(it->item)) {
      ++it;
    } else if (slot_.withdraw(it->record)) {
      it = ahead_.erase(it);
    } else {
      // One that has begun stays until it ends, stopped, as the items before it do.
      it->record->stopEvent.set();
      ++it;
    }
  }
}

void ItemRunner::writeResult(const std::string& address) {
  JobRecord& record = *current_.record;
  if (const std::string notice = record.notice.get(); !notice.empty()) {
    host_.writeOutput(JobNote::kNotice, notice);
  }
  host_.writeOutput(record.result, address);
  reportLogFailure(record, *host_.prompter());
}

void ItemRunner::stopCurrent() { current_.record->stopEvent.set(); }

void ItemRunner::endWithoutThread() { current_.record->doneEvent.set(); }

bool ItemRunner::doneTest() {
  if (!current_.record->doneEvent.tryWait()) return false;
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
