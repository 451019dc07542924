// Fuzzes the host's handling of the logger's records: arbitrary bytes are
// shown as a status record and as a setup record by a headless host program,
// and a setup shown is then sent back, so every field value reaches the
// display, the port switching and the send checks.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "app/HostProgram.h"
#include "common/Clock.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPrompter.h"
#include "protocol/StatusRecord.h"

namespace {

// A backend with one port that swallows what it is sent.
class SinkBackend : public qv::SerialBackend {
 public:
  Handle Open(int, const qv::LineSetting&) override { return 3; }
  bool Close(Handle) override { return true; }
  long Read(Handle, std::uint8_t*, std::size_t) override { return 0; }
  long Write(Handle, const std::uint8_t*, std::size_t count) override {
    return static_cast<long>(count);
  }
  std::string DeviceName(int) const override { return {}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static SinkBackend backend;
  static qv::FakeClock clock(1'800'000'000);
  static qv::ScriptedPrompter prompter;
  static qv::HostProgram* host = [] {
    auto* h = new qv::HostProgram(clock, prompter, backend);
    h->Main().Timer55ms.Fire();
    h->Link().hostPortForm.HostPortCB.UserSelect(1);
    return h;
  }();
  prompter.Clear();

  std::uint8_t status[qv::kStatusRecordSize] = {};
  std::memcpy(status, data, size < sizeof status ? size : sizeof status);
  host->Status().ShowStatus(qv::StatusRecord::Decode(status));

  auto& setup = host->Records().setup;
  setup.fill(0);
  if (size > sizeof status)
    std::memcpy(setup.data(), data + sizeof status,
                size - sizeof status < setup.size() ? size - sizeof status : setup.size());
  host->Records().setupReceived = true;
  host->Main().Timer475ms.Fire();
  host->Setup().BTStoreSetup1Click();
  clock.AdvanceMs(1000);
  return 0;
}
