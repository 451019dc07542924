// A headless host program that records a logger's data into a continuous
// archive until it is killed; each second it reports on stdout how many
// archive bytes it has written and flushed. Used by the durability test.
//   headless_recorder DEVICE ARCHIVE
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/HostProgram.h"
#include "platform/ComPortTable.h"
#include "platform/PosixSerialBackend.h"
#include "platform/SystemClock.h"
#include "tests/support/ScriptedPrompter.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: headless_recorder DEVICE ARCHIVE\n");
    return 2;
  }
  qv::ComPortTable table;
  table.Set(1, argv[1]);
  qv::PosixSerialBackend backend(table);
  qv::SystemClock clock;
  qv::ScriptedPrompter prompter;
  prompter.files = {std::string(argv[2])};
  qv::HostProgram host(clock, prompter, backend);

  host.Main().Timer55ms.Fire();  // start-up
  host.Link().hostPortForm.HostPortCB.UserSelect(1);
  host.Stream().recordTab.BTRecordArchive.UserClick();
  if (host.Stream().RecordingMode() != qv::RecordingMode::Archive) {
    std::fprintf(stderr, "recording did not start\n");
    return 1;
  }
  using Clock = std::chrono::steady_clock;
  auto nextFast = Clock::now();
  auto nextSecond = nextFast + std::chrono::seconds(1);
  for (;;) {
    std::this_thread::sleep_until(nextFast);
    host.Main().Timer55ms.Fire();
    nextFast += std::chrono::milliseconds(25);
    if (Clock::now() >= nextSecond) {
      host.Main().Timer475ms.Fire();
      host.Main().Timer1000ms.Fire();
      std::printf("flushed %lld\n", static_cast<long long>(host.Stream().Recording().BytesWritten()));
      std::fflush(stdout);
      nextSecond += std::chrono::seconds(1);
    }
  }
}
