// Integer input fields, read the way the desktop dialogs read them: optional blanks, an
// optional sign, digits, optional blanks, nothing else, within the int range. A refused text
// comes with the message the user is shown.
#pragma once

#include <climits>
#include <string>
#include <string_view>

namespace murlo {

struct IntegerField {
  bool ok = false;
  int value = 0;
  std::string error;  // "整数を入力してください。" or the range message; empty when ok
};

// Reads `text` as an integer from `min` to `max`.
IntegerField readIntegerField(std::string_view text, int min = INT_MIN, int max = INT_MAX);

}  // namespace murlo
