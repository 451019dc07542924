// Fuzzes the host's handling of the logger's records: arbitrary bytes are
// shown as a status record and as a setup record by a headless host program,
// and a setup shown is then sent back, so every field value reaches the
// display, the port switching and the send checks.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "app/HostProgram.h"
#include "common/Clock.h"
#include "fuzz/SinkBackend.h"
#include "protocol/StatusRecord.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPrompter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static qv::fuzz::SinkBackend backend;
  static qv::FakeClock clock(1'800'000'000);
  static qv::ScriptedPrompter prompter;
  static qv::HostProgram* host = [] {
    auto* h = new qv::HostProgram(clock, prompter, backend);
    h->Main().Timer55ms.Fire();
    h->Link().hostPortForm.HostPortCB.UserSelect(1);
    return h;
  }();
  prompter.Clear();

  // Sealed, so that any field values come through as from a logger.
  qv::StatusRecord::Bytes status{};
  std::memcpy(status.data() + 2, data, size < status.size() - 4 ? size : status.size() - 4);
  qv::SealPacket(status, qv::PacketType::Status);
  host->Status().ShowStatus(*qv::StatusRecord::Decode(status));

  auto& setup = host->Records().setup;
  setup.fill(0);
  const std::size_t used = status.size() - 4;
  if (size > used)
    std::memcpy(setup.data(), data + used, size - used < setup.size() ? size - used : setup.size());
  host->Records().setupReceived = true;
  host->Main().Timer475ms.Fire();
  host->Setup().BTStoreSetup1Click();
  clock.AdvanceMs(1000);
  return 0;
}
