// AppSettings: the program's twenty settings, kept in Murlo.ini in the application
// directory. Members are named after their keys.
#pragma once

#include <cstdint>
#include <string>

namespace murlo {

// SETTING/DownEx: extension classes analysis collects.
namespace downex {
inline constexpr int kHtml = 0x0001;
inline constexpr int kCgi = 0x0002;
inline constexpr int kTxt = 0x0004;
inline constexpr int kJpg = 0x0008;
inline constexpr int kGif = 0x0010;
inline constexpr int kLzh = 0x0020;
inline constexpr int kZip = 0x0040;
inline constexpr int kRar = 0x0080;
inline constexpr int kRm = 0x0100;
inline constexpr int kMpeg = 0x0200;
inline constexpr int kAvi = 0x0400;
inline constexpr int kViv = 0x0800;
inline constexpr int kExe = 0x1000;
inline constexpr int kCustom = 0x2000;
}  // namespace downex

// SETTING/Tag: which links analysis collects.
namespace tagbits {
inline constexpr int kImage = 0x01;
inline constexpr int kAnchor = 0x02;
inline constexpr int kBody = 0x04;
inline constexpr int kFrame = 0x08;
inline constexpr int kAllHttp = 0x10;
inline constexpr int kJpegOnly = 0x20;
// Pages are read with the HTML link finder instead of the tag scanner.
inline constexpr int kHtml5 = 0x40;
// The Tag of a new installation (no Tag key yet): the four tag kinds, read by the finder.
inline constexpr int kNewInstallation = kImage | kAnchor | kBody | kFrame | kHtml5;
}  // namespace tagbits

// SETTING/Movement.
namespace movement {
inline constexpr int kNoConfirm = 0x01;
inline constexpr int kNoErrorMessages = 0x02;
inline constexpr int kHierarchy = 0x04;
inline constexpr int kAnalyzeOnAdd = 0x08;
inline constexpr int kAskSameName = 0x10;
inline constexpr int kOverwrite = 0x20;
inline constexpr int kAutoRename = 0x40;
inline constexpr int kSizeCheck = 0x80;
// After a download job with the hierarchy on, the links of the pages it saved are rewritten
// for browsing from disk.
inline constexpr int kConvertLinks = 0x100;
}  // namespace movement

// SETTING/Connection (bits 8 and up: the time-out in units of 10 seconds).
namespace connection {
inline constexpr int kOffline = 0x01;
inline constexpr int kNoCache = 0x02;
inline constexpr int kTimeout = 0x04;
inline constexpr int kProxy = 0x08;
}  // namespace connection

// SETTING/Output.
namespace output {
inline constexpr int kErrorLog = 0x01;
inline constexpr int kWindow = 0x02;
inline constexpr int kClearEach = 0x04;
inline constexpr int kSuccess = 0x08;
inline constexpr int kFailure = 0x10;
inline constexpr int kCause = 0x20;
inline constexpr int kProcessing = 0x40;
}  // namespace output

// SETTING/Sound, SETTING/Dial, SETTING/ExSet.
namespace sound {
inline constexpr int kAnalysis = 0x01;
inline constexpr int kDownload = 0x02;
inline constexpr int kError = 0x04;
// No desktop notification when a job ends while the main window is not the active one.
inline constexpr int kNoNotification = 0x08;
}  // namespace sound
namespace dial {
inline constexpr int kHangUp = 0x01;
inline constexpr int kShutdown = 0x02;
}  // namespace dial
namespace exset {
inline constexpr int kAnalyzeThenDownload = 0x01;
inline constexpr int kDeleteHtml = 0x02;
inline constexpr int kKeepFinished = 0x04;
inline constexpr int kRefuseRedirects = 0x08;
inline constexpr int kNoReferrer = 0x10;
}  // namespace exset

struct AppSettings {
  // SETTING
  int downEx = 121;
  int tag = 15;
  int movement = 64;
  int connection = 0x0C04;
  int output = 127;
  int sound = 0;
  int dial = 0;
  int exSet = 0;
  int bufferSize = 2;
  std::string extend;
  // STORE
  std::string path01;
  std::string path02;
  std::string path03;
  // PROXY
  std::string proxyName;
  std::string proxyPort;
  // CONNECTION: a cookie file (Netscape cookies.txt) whose cookies every request takes, and a
  // PEM file of certificate authorities trusted besides the system's; none when empty.
  std::string cookieFile;
  std::string caFile;
  // SOUND
  std::string file01;
  std::string file02;
  std::string file03;

  bool operator==(const AppSettings&) const = default;

  // Transfer buffer bytes: 256 << BufferSize (an index outside 0-3 counts as the default 2).
  int bufferBytes() const;
  // Time-out in milliseconds: (Connection / 256) * 10000.
  std::int64_t timeoutMs() const;
  // The proxy as the session takes it: NAME + ":" + PORT.
  std::string proxyText() const;
  // The save folder of a download: PATH01 with a trailing "/".
  std::string saveFolder() const;
};

// Settings as a first start sees them: the defaults, with PATH01 the application directory.
AppSettings defaultSettings(const std::string& appDirectory);

class IniFile;

// Reads the twenty keys; a missing file or key gives the default, and so does a file
// that IniFile::load refuses. Texts are UTF-8 in memory, whatever the file holds (ini-text.h).
AppSettings LoadSettings(const std::string& iniPath, const std::string& appDirectory);
// The same from a profile loaded already.
AppSettings readSettings(const IniFile& ini, const std::string& appDirectory);

// Writes the twenty keys, keeping every other section and key of the file. Returns false
// when the file could not be written (the earlier file then stays as it was).
bool SaveSettings(const AppSettings& settings, const std::string& iniPath);

// Writes into `ini` only what changed from `before` to `after`, over what `ini` holds: a
// changed check box sets its own bit, a changed number or text its own value; every other
// key, bit and number keeps what the profile has, which another program may have written
// since `before` was read. A key the profile lacks gets its value from `after`, so the file
// lists every setting after the first write.
void writeChangedSettings(const AppSettings& before, const AppSettings& after, IniFile& ini);
// The same on the file as it is on disk now, written to a temporary file and renamed.
bool saveChangedSettings(const AppSettings& before, const AppSettings& after,
                         const std::string& iniPath);

// The settings file of an application directory: <dir>/Murlo.ini.
std::string settingsPath(const std::string& appDirectory);

}  // namespace murlo
