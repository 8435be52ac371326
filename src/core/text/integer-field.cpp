#include "text/integer-field.h"

#include <charconv>

namespace murlo {

namespace {

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

IntegerField readIntegerField(std::string_view text, int min, int max) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  // from_chars takes "-" but not "+".
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  IntegerField field;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), field.value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
    field.error = "整数を入力してください。";
  } else if (field.value < min || field.value > max) {
    field.error =
        std::to_string(min) + " から " + std::to_string(max) + " までの整数を入力してください。";
  } else {
    field.ok = true;
  }
  return field;
}

}  // namespace murlo
