// murlo-cli analyze, recurse, download and get: the desktop program's analysis and download
// jobs on a list file, with the settings of Murlo.ini in the current directory. The list
// is written back afterwards, so a later run continues where this one stopped.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include "analysis/address.h"
#include "cli-commands.h"
#include "cli-job-host.h"
#include "cli-list-file.h"
#include "items/item-tags.h"
#include "items/list-file.h"
#include "items/page-type.h"
#include "jobs/analysis-job.h"
#include "jobs/download-job.h"
#include "net/connection-options.h"
#include "net/cookie-jar.h"
#include "platform/atomic-file.h"
#include "setting-store.h"
#include "text/cp932.h"

namespace murlo::cli {

namespace {

struct JobOptions {
  std::string listPath;
  std::string rows;
  std::optional<PromptAnswer> answer;
  bool resumeOutside = false;
  std::optional<std::string> contain;
  bool deleteHtml = false;
  bool download = false;
  // Settings for this run only, as setting names and values; the save folder comes last,
  // so a folder is never created for a run that another bad value refuses.
  std::vector<std::pair<std::string, std::string>> settings;
  std::optional<std::string> saveFolder;
  // Where the job's cookies are written when it ends; nowhere when not given.
  std::optional<std::string> saveCookies;
  Args rest;
};

// The per-run setting options that take a value, and the setting each one names.
constexpr std::pair<const char*, const char*> kValueOptions[] = {{"--same-name", "same-name"},
                                                                 {"--links", "links"},
                                                                 {"--extensions", "extensions"},
                                                                 {"--cookies", "cookies"},
                                                                 {"--cacert", "cacert"}};
// The per-run setting options without a value: option, setting, value.
constexpr const char* kFlagOptions[][3] = {{"--hierarchy", "hierarchy", "on"},
                                           {"--no-hierarchy", "hierarchy", "off"},
                                           {"--jpeg-only", "jpeg-only", "on"},
                                           {"--convert-links", "convert-links", "on"}};

// Reads the per-run setting option at args[i]; true when it was one (i then points at its
// last word).
bool takeSettingOption(const Args& args, std::size_t& i, JobOptions& options) {
  const std::string& arg = args[i];
  for (const auto& [option, setting, value] : kFlagOptions) {
    if (arg != option) continue;
    options.settings.emplace_back(setting, value);
    return true;
  }
  if (i + 1 >= args.size()) return false;
  if (arg == "--save-folder") {
    options.saveFolder = args[++i];
    return true;
  }
  if (arg == "--save-cookies") {
    options.saveCookies = args[++i];
    return true;
  }
  for (const auto& [option, setting] : kValueOptions) {
    if (arg != option) continue;
    options.settings.emplace_back(setting, args[++i]);
    return true;
  }
  return false;
}

// Reads the options common to the job commands; false on an option without its value.
// Whether --list is required is the command's to say.
bool parseOptions(const Args& args, JobOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if ((arg == "--list" || arg == "--rows" || arg == "--contain") && !hasValue) return false;
    if (arg == "--list") {
      options.listPath = args[++i];
    } else if (arg == "--rows") {
      options.rows = args[++i];
    } else if (arg == "--contain") {
      options.contain = args[++i];
    } else if (arg == "--yes") {
      options.answer = PromptAnswer::kYes;
    } else if (arg == "--no") {
      options.answer = PromptAnswer::kNo;
    } else if (arg == "--resume-outside") {
      options.resumeOutside = true;
    } else if (arg == "--delete-html") {
      options.deleteHtml = true;
    } else if (arg == "--download") {
      options.download = true;
    } else if (!takeSettingOption(args, i, options)) {
      options.rest.push_back(arg);
    }
  }
  return true;
}

std::unique_ptr<AnsweringPrompter> answeringPrompter(const JobOptions& options) {
  return std::make_unique<AnsweringPrompter>(options.answer, options.resumeOutside);
}

// Applies the per-run settings to the host's copy of Murlo.ini's settings, which is never
// saved; false after printing why one was refused.
bool applyRunSettings(CliJobHost& host, const JobOptions& options) {
  AppSettings& settings = host.mutableSettings();
  for (const auto& [name, value] : options.settings) {
    if (!storeSetting(name, value, settings, *host.prompter())) return false;
  }
  return !options.saveFolder ||
         storeSetting("save-folder", *options.saveFolder, settings, *host.prompter());
}

// Reads the cookie file and checks the CA file the settings name, before any job starts:
// the jobs of the run share the cookies, which --save-cookies writes out at the end. False
// after printing why a file cannot be used.
bool openConnectionFiles(CliJobHost& host, const JobOptions& options) {
  const AppSettings& settings = host.settings();
  if (const auto problem =
          settings.caFile.empty() ? std::nullopt : caFileProblem(settings.caFile)) {
    printError(*problem);
    return false;
  }
  std::shared_ptr<CookieJar> jar;
  if (!settings.cookieFile.empty()) {
    CookieJar::Loaded loaded = CookieJar::load(settings.cookieFile);
    if (!loaded.jar) {
      printError(loaded.error);
      return false;
    }
    jar = std::move(loaded.jar);
  } else if (options.saveCookies) {
    jar = std::make_shared<CookieJar>();
  }
  host.shareCookies(std::move(jar));
  return true;
}

// Everything a job command does before its job starts; false after printing why not.
bool prepareHost(CliJobHost& host, const JobOptions& options) {
  return applyRunSettings(host, options) && openConnectionFiles(host, options);
}

// Selects the rows of a row list such as "1,3-5" (numbered from 1); false when it is malformed
// or names a row the list does not have.
bool selectRows(ItemList& list, const std::string& rowList) {
  std::size_t pos = 0;
  while (pos <= rowList.size()) {
    const std::size_t comma = std::min(rowList.find(',', pos), rowList.size());
    const std::string part = rowList.substr(pos, comma - pos);
    const std::size_t dash = part.find('-');
    int first = 0;
    int last = 0;
    try {
      std::size_t used = 0;
      first = std::stoi(part, &used);
      if (dash == std::string::npos) {
        if (used != part.size()) return false;
        last = first;
      } else {
        if (used != dash) return false;
        last = std::stoi(part.substr(dash + 1), &used);
        if (dash + 1 + used != part.size()) return false;
      }
    } catch (const std::exception&) {
      return false;
    }
    if (first < 1 || last < first || last > list.count()) return false;
    for (int row = first; row <= last; ++row) list.setSelected(row - 1, true);
    pos = comma + 1;
  }
  return true;
}

// Writes the list back after a job, also when the job emptied it: a later run must not
// fetch the finished items again.
int finish(CliJobHost& host, const JobOptions& options, CliJobHost::Outcome outcome) {
  const std::string& listPath = options.listPath;
  if (!writeFileAtomically(listPath, serializeList(host.list()))) {
    printError(listPath + ": リストファイルを書き込めません");
    return kExitFailed;
  }
  if (options.saveCookies && !host.sharedCookies()->save(*options.saveCookies)) {
    printError(*options.saveCookies + ": クッキーファイルを書き込めません");
    return kExitFailed;
  }
  switch (outcome) {
    case CliJobHost::Outcome::kSucceeded: return kExitOk;
    case CliJobHost::Outcome::kSomeFailed: return kExitFailed;
    case CliJobHost::Outcome::kInterrupted: return kExitInterrupted;
  }
  return kExitFailed;
}

constexpr const char* kAnalyzeUsage =
    "使い方: murlo-cli analyze --list FILE.mrl [--rows ROWS] [オプション] (murlo-cli help analyze)";
constexpr const char* kRecurseUsage =
    "使い方: murlo-cli recurse URL [--contain TEXT] [--delete-html] [--download] --list FILE.mrl "
    "[オプション] (murlo-cli help recurse)";
constexpr const char* kGetUsage =
    "使い方: murlo-cli get URL... [--save-folder DIR] [--hierarchy] [オプション] (murlo-cli help get)";
constexpr const char* kDownloadUsage =
    "使い方: murlo-cli download --list FILE.mrl [--rows ROWS] [オプション] (murlo-cli help download)";

// A new empty list file in the temporary folder, for the addresses of `get`; nothing after
// printing why it cannot be made.
std::optional<std::string> newTemporaryList() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) {
    printError("一時フォルダが分かりません: " + error.message());
    return std::nullopt;
  }
  std::string path = (folder / "murlo-get-XXXXXX.mrl").string();
  const int fd = ::mkstemps(path.data(), 4);
  if (fd < 0) {
    printError(path + ": 一時リストファイルを作成できません: " + std::strerror(errno));
    return std::nullopt;
  }
  ::close(fd);
  return path;
}

}  // namespace

int runAnalyze(const Args& args) {
  JobOptions options;
  if (!parseOptions(args, options) || options.listPath.empty() || !options.rest.empty()) {
    printError(kAnalyzeUsage);
    return kExitUsage;
  }
  const std::optional<std::string> dir = currentDirectory();
  if (!dir) return kExitFailed;
  FileLock lock;
  if (!lockListFile(lock, options.listPath)) return kExitUsage;
  CliJobHost host(*dir, answeringPrompter(options));
  if (!prepareHost(host, options)) return kExitUsage;
  if (!loadListFile(host.list(), options.listPath, /*mustExist=*/true)) return kExitUsage;
  ItemList& list = host.list();
  if (options.rows.empty()) {
    // Every page-type row, the rows the analysis command accepts.
    for (int row = 0; row < list.count(); ++row)
      list.setSelected(row, isPageType(list.row(row).extension));
  } else if (!selectRows(list, options.rows)) {
    printError("行の指定が正しくありません: " + options.rows);
    return kExitUsage;
  }
  const int exSet = host.settings().exSet;
  host.session().startAnalysis({.mode = AnalysisMode::kSelected,
                                .deleteHtml = (exSet & exset::kDeleteHtml) != 0,
                                .autoDownload = (exSet & exset::kAnalyzeThenDownload) != 0});
  const CliJobHost::Outcome outcome = host.run();
  return finish(host, options, outcome);
}

int runRecurse(const Args& args) {
  JobOptions options;
  if (!parseOptions(args, options) || options.listPath.empty() || options.rest.size() != 1) {
    printError(kRecurseUsage);
    return kExitUsage;
  }
  const std::string address = trimAddress(options.rest[0]);
  if (const std::optional<std::string> refusal = recursiveAddressError(address)) {
    printError(*refusal);
    return kExitUsage;
  }
  const std::optional<std::string> dir = currentDirectory();
  if (!dir) return kExitFailed;
  FileLock lock;
  if (!lockListFile(lock, options.listPath)) return kExitUsage;
  CliJobHost host(*dir, answeringPrompter(options));
  if (!prepareHost(host, options)) return kExitUsage;
  if (!loadListFile(host.list(), options.listPath, /*mustExist=*/false)) return kExitUsage;
  // Without --contain, the crawl stays under the start page's directory, as the dialog
  // proposes.
  const std::string contain =
      options.contain ? *options.contain : address.substr(0, address.rfind('/') + 1);
  host.session().startAnalysis({.mode = AnalysisMode::kRecursive,
                                .address = address,
                                .mustContain = contain,
                                .deleteHtml = options.deleteHtml,
                                .autoDownload = options.download});
  const CliJobHost::Outcome outcome = host.run();
  return finish(host, options, outcome);
}

int runDownload(const Args& args) {
  JobOptions options;
  if (!parseOptions(args, options) || options.listPath.empty() || !options.rest.empty()) {
    printError(kDownloadUsage);
    return kExitUsage;
  }
  const std::optional<std::string> dir = currentDirectory();
  if (!dir) return kExitFailed;
  FileLock lock;
  if (!lockListFile(lock, options.listPath)) return kExitUsage;
  CliJobHost host(*dir, answeringPrompter(options));
  if (!prepareHost(host, options)) return kExitUsage;
  if (!loadListFile(host.list(), options.listPath, /*mustExist=*/true)) return kExitUsage;
  if (!options.rows.empty() && !selectRows(host.list(), options.rows)) {
    printError("行の指定が正しくありません: " + options.rows);
    return kExitUsage;
  }
  const DownloadMode mode = options.rows.empty() ? DownloadMode::kAll : DownloadMode::kSelected;
  host.session().startDownload(mode);
  const CliJobHost::Outcome outcome = host.run();
  return finish(host, options, outcome);
}

int runGet(const Args& args) {
  JobOptions options;
  if (!parseOptions(args, options) || !options.listPath.empty() || !options.rows.empty() ||
      options.contain || options.deleteHtml || options.download || options.rest.empty()) {
    printError(kGetUsage);
    return kExitUsage;
  }
  const std::optional<std::string> dir = currentDirectory();
  if (!dir) return kExitFailed;
  CliJobHost host(*dir, answeringPrompter(options));
  if (!prepareHost(host, options)) return kExitUsage;
  for (const std::string& address : options.rest) {
    if (addTyped(host.list(), address) != kExitOk) return kExitUsage;
  }
  const std::optional<std::string> list = newTemporaryList();
  if (!list) return kExitFailed;
  options.listPath = *list;
  host.session().startDownload(DownloadMode::kAll);
  const int status = finish(host, options, host.run());
  if (status == kExitOk || host.list().count() == 0) {
    std::remove(list->c_str());
  } else {
    printError("残りのアイテムをリストファイル " + *list +
               " に保存しました。murlo-cli download --list " + *list +
               " で続きをダウンロードできます");
  }
  return status;
}

}  // namespace murlo::cli
