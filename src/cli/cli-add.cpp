// murlo-cli add URL... --list FILE.mrl: appends addresses as the add-item bar does.
// With --range, each address instead gives a numbered series of file names in its directory,
// made and checked exactly as the add-item dialog makes them.
#include <climits>
#include <cstdio>
#include <optional>

#include "analysis/add-item-request.h"
#include "analysis/address.h"
#include "cli-commands.h"
#include "cli-list-file.h"
#include "cli-prompter.h"
#include "items/item-list.h"
#include "text/integer-field.h"

namespace murlo::cli {

namespace {

constexpr const char* kAddUsage =
    "使い方: murlo-cli add URL... [--range RANGE --format FORMAT [--digits N] [--step N]] "
    "--list FILE.mrl";

struct AddOptions {
  std::optional<std::string> listPath;
  Args addresses;
  std::optional<std::string> range;
  std::optional<std::string> format;
  std::optional<std::string> digits;
  std::optional<std::string> step;
};

// Reads the arguments; nothing when an option lacks its value.
std::optional<AddOptions> readOptions(const Args& args) {
  AddOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::optional<std::string>* value = arg == "--range"    ? &options.range
                                        : arg == "--format" ? &options.format
                                        : arg == "--digits" ? &options.digits
                                        : arg == "--step"   ? &options.step
                                        : arg == "--list"   ? &options.listPath
                                                            : nullptr;
    if (!value) {
      options.addresses.push_back(arg);
      continue;
    }
    if (i + 1 >= args.size()) return std::nullopt;
    *value = args[++i];
  }
  return options;
}

// Reads an integer option into `value`; false after printing why.
bool readInteger(const std::optional<std::string>& text, int min, int max, int& value) {
  if (!text) return true;
  const IntegerField field = readIntegerField(*text, min, max);
  if (!field.ok) {
    printError(field.error + ": " + *text);
    return false;
  }
  value = field.value;
  return true;
}

int addSeries(ItemList& list, AddItemRequest request, const std::string& address,
              Prompter& prompter) {
  request.address = address;
  request.baseAddress = baseAddressOf(address).value_or("");
  const AddItemCheck check = checkAddItemRequest(request);
  if (!check.error.empty()) {
    printError(check.error + ": " + address);
    return kExitUsage;
  }
  if (check.itemCount > kAskAboveItemCount &&
      prompter.message(manyItemsQuestion(check.itemCount), PromptIcon::kQuestion,
                       PromptButtons::kYesNo) != PromptAnswer::kYes) {
    return kExitUsage;
  }
  addRequestedItems(list, request, check.range);
  return kExitOk;
}

}  // namespace

int addTyped(ItemList& list, const std::string& typed) {
  if (trimAddress(typed).empty()) {
    printError(kNoAddressText);
    return kExitUsage;
  }
  const std::optional<std::string> address = typedAddress(typed);
  if (!address) {
    printError(std::string(kNotAnAddressText) + ": " + trimAddress(typed));
    return kExitUsage;
  }
  addTypedAddress(list, *address);
  return kExitOk;
}

int runAdd(const Args& args) {
  const std::optional<AddOptions> options = readOptions(args);
  if (!options || !options->listPath || options->addresses.empty() ||
      (!options->range && (options->format || options->digits || options->step))) {
    printError(kAddUsage);
    return kExitUsage;
  }
  AddItemRequest series;
  series.useRange = true;
  series.rangeText = options->range.value_or("");
  series.fileFormat = options->format.value_or("");
  if (!readInteger(options->digits, 0, kMaxDigits, series.digits) ||
      !readInteger(options->step, INT_MIN, INT_MAX, series.increment)) {
    return kExitUsage;
  }

  FileLock lock;
  if (!lockListFile(lock, *options->listPath)) return kExitUsage;
  ItemList list;
  // A file that exists but cannot be read whole is left untouched.
  if (!loadListFile(list, *options->listPath, /*mustExist=*/false)) return kExitUsage;

  CliPrompter prompter;
  int status = kExitOk;
  for (const std::string& address : options->addresses) {
    const int result =
        options->range ? addSeries(list, series, address, prompter) : addTyped(list, address);
    if (result != kExitOk) status = result;
  }
  if (!saveListFile(list, *options->listPath)) return kExitFailed;
  return status;
}

}  // namespace murlo::cli
