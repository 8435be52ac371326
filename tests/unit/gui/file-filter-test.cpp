#include "logic/file-filter.h"

#include <fnmatch.h>
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace murlo::gui {
namespace {

// The names of `names` that filter number `index` of a dialog wildcard shows, matching each
// pattern as the desktop's file chooser does (a shell pattern, case as written).
std::string shown(const std::string& wildcard, int index, const std::vector<std::string>& names) {
  std::vector<std::string> fields;
  std::stringstream in(wildcard);
  for (std::string field; std::getline(in, field, '|');) fields.push_back(field);
  std::vector<std::string> patterns;
  std::stringstream list(fields.at(2 * index + 1));
  for (std::string pattern; std::getline(list, pattern, ';');) patterns.push_back(pattern);
  std::string out;
  for (const std::string& name : names) {
    for (const std::string& pattern : patterns) {
      if (fnmatch(pattern.c_str(), name.c_str(), 0) == 0) {
        out += name + ";";
        break;
      }
    }
  }
  return out;
}

TEST(FileDialogWildcard, AllFilesShowsNamesWithoutADotAndExtensionsMatchAnyCase) {
  const std::vector<std::string> names = {"README", "a.htm", "B.HTM", "c.Html", "d.cgi",
                                          "e.wav",  "F.WAV", "g.txt", ".hidden"};
  const std::string pages = fileDialogWildcard(
      "ｲﾝﾀｰﾈｯﾄ ﾌｧｲﾙ(*.htm;*.html;*.cgi)|*.htm;*.html;*.cgi|すべてのﾌｧｲﾙ(*.*)|*.*||");
  EXPECT_EQ(shown(pages, 0, names), "a.htm;B.HTM;c.Html;d.cgi;");
  EXPECT_EQ(shown(pages, 1, names), "README;a.htm;B.HTM;c.Html;d.cgi;e.wav;F.WAV;g.txt;.hidden;");
  const std::string sounds = fileDialogWildcard("ｻｳﾝﾄﾞ ﾌｧｲﾙ(*.wav)|*.wav||");
  EXPECT_EQ(shown(sounds, 0, names), "e.wav;F.WAV;");
  // Labels stay as written, and the pattern as written comes first: a saved file takes its
  // extension from it.
  EXPECT_EQ(sounds.substr(0, sounds.find(';')), "ｻｳﾝﾄﾞ ﾌｧｲﾙ(*.wav)|*.wav");
  EXPECT_EQ(fileDialogWildcard("||"), "");
}

}  // namespace
}  // namespace murlo::gui
