// The actions at the end of a job: sounds, the dial-up hang-up and the shut-down countdown,
// all against fakes (nothing here may make noise, hang up or power off).
#include <gtest/gtest.h>

#include <deque>

#include "jobs/completion-sound.h"
#include "jobs/shutdown-countdown.h"
#include "platform/dial-up-line.h"

namespace murlo {
namespace {

class RecordingPlayer : public SoundPlayer {
 public:
  void play(const std::string& file) override { played.push_back(file); }
  std::vector<std::string> played;
};

TEST(CompletionSound, PlaysOnlyKindsWhoseBitAndFileAreSet) {
  AppSettings settings;
  settings.file01 = "a.wav";
  settings.file02 = "d.wav";
  settings.file03 = "e.wav";
  settings.sound = sound::kError;
  RecordingPlayer player;
  const CompletionSound all[] = {CompletionSound::kAnalysis, CompletionSound::kDownload,
                                 CompletionSound::kError};
  for (CompletionSound kind : all) playSound(settings, kind, player);
  EXPECT_EQ(player.played, std::vector<std::string>{"e.wav"});

  settings.sound = 7;
  settings.file03.clear();
  player.played.clear();
  for (CompletionSound kind : all) playSound(settings, kind, player);
  EXPECT_EQ(player.played, (std::vector<std::string>{"a.wav", "d.wav"}));
}

// Answers commands from a script and records them.
class FakeRunner : public CommandRunner {
 public:
  CommandResult run(const std::vector<std::string>& argv) override {
    commands.push_back(argv);
    if (answers.empty()) return {0, ""};
    CommandResult r = answers.front();
    answers.pop_front();
    return r;
  }
  std::deque<CommandResult> answers;
  std::vector<std::vector<std::string>> commands;
};

const std::vector<std::string> kListCommand{"nmcli",      "-t",   "-f",      "NAME,UUID,TYPE",
                                            "connection", "show", "--active"};

TEST(DialUpLine, ParsesTerseOutputWithEscapes) {
  const auto connections = parseActiveConnections(
      "Wired connection 1:0a1b:802-3-ethernet\n"
      "my\\:isp \\\\ dial:77ff:gsm\n"
      "broken line\n");
  ASSERT_EQ(connections.size(), 2u);
  EXPECT_EQ(connections[1].name, "my:isp \\ dial");
  EXPECT_EQ(connections[1].uuid, "77ff");
  EXPECT_EQ(connections[1].type, "gsm");
}

TEST(DialUpLine, HangsUpOnlyWhenExactlyOneDialUpLineIsActive) {
  FakeRunner none;
  none.answers = {{0, "lan:1:802-3-ethernet\nwifi:2:802-11-wireless\n"}};
  EXPECT_EQ(hangUpLine(none), 0);
  EXPECT_EQ(none.commands, std::vector<std::vector<std::string>>{kListCommand});

  FakeRunner one;
  one.answers = {{0, "lan:1:802-3-ethernet\nisp:9:pppoe\n"}};
  EXPECT_EQ(hangUpLine(one), 1);
  ASSERT_EQ(one.commands.size(), 2u);
  EXPECT_EQ(one.commands[1],
            (std::vector<std::string>{"nmcli", "connection", "down", "uuid", "9"}));

  FakeRunner two;
  two.answers = {{0, "isp:9:pppoe\nmobile:8:gsm\n"}};
  EXPECT_EQ(hangUpLine(two), 1);
  EXPECT_EQ(two.commands.size(), 1u);

  FakeRunner failing;
  failing.answers = {{-1, ""}};
  EXPECT_EQ(hangUpLine(failing), 1);
  EXPECT_EQ(failing.commands.size(), 1u);

  // A Bluetooth network (PAN) is no dial-up line; a Bluetooth DUN connection is.
  FakeRunner bluetooth;
  bluetooth.answers = {
      {0, "phone pan:5:bluetooth\nphone dun:6:bluetooth\n"}, {0, "panu\n"}, {0, "dun\n"}};
  EXPECT_EQ(hangUpLine(bluetooth), 1);
  ASSERT_EQ(bluetooth.commands.size(), 4u);
  EXPECT_EQ(bluetooth.commands[3],
            (std::vector<std::string>{"nmcli", "connection", "down", "uuid", "6"}));
}

class FakeShutdown : public SystemShutdown {
 public:
  void powerOff() override { ++calls; }
  int calls = 0;
};

TEST(ShutdownCountdown, OkInTimeKeepsTheSystemRunning) {
  FakeShutdown shutdown;
  ShutdownCountdown countdown(shutdown);
  EXPECT_FALSE(countdown.tick());  // no countdown: ticks change nothing
  EXPECT_EQ(countdown.count(), 0);
  countdown.begin();
  for (int i = 0; i < 19; ++i) EXPECT_FALSE(countdown.tick());
  countdown.cancel();
  EXPECT_FALSE(countdown.tick());
  EXPECT_EQ(countdown.count(), 0);
  EXPECT_EQ(shutdown.calls, 0);
}

TEST(ShutdownCountdown, TheTwentiethTickAfterTheMessagePowersOffOnce) {
  FakeShutdown shutdown;
  ShutdownCountdown countdown(shutdown);
  countdown.begin();
  for (int i = 1; i < 20; ++i) ASSERT_FALSE(countdown.tick()) << i;
  EXPECT_EQ(shutdown.calls, 0);
  EXPECT_TRUE(countdown.tick());
  EXPECT_EQ(shutdown.calls, 1);
  EXPECT_FALSE(countdown.tick());
  EXPECT_EQ(shutdown.calls, 1);
}

}  // namespace
}  // namespace murlo

namespace murlo {
namespace {

TEST(ProcessRunner, CollectsStandardOutputAndTheExitStatus) {
  const auto runner = makeProcessRunner();
  const CommandResult r = runner->run({"sh", "-c", "printf 'a:b\\n'; echo noise >&2; exit 3"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.output, "a:b\n");
  EXPECT_EQ(runner->run({"/nonexistent/program"}).status, -1);
}

}  // namespace
}  // namespace murlo
