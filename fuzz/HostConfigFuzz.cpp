// Fuzzes the host configuration reader: any text is either refused with
// exactly one box or read whole; what is read writes out and reads back the
// same, and applying it to a headless host program, whatever the values,
// keeps the program sound.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/HostProgram.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/SinkBackend.h"
#include "hostconfig/HostConfigFile.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPrompter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using qv::fuzz::Check;
  static qv::fuzz::SinkBackend backend;
  static qv::FakeClock clock(1'800'000'000);
  static qv::ScriptedPrompter hostPrompter;
  static qv::HostProgram* host = [] {
    auto* h = new qv::HostProgram(clock, hostPrompter, backend);
    h->Main().Timer55ms.Fire();
    return h;
  }();

  const std::string_view text(reinterpret_cast<const char*>(data), size);
  qv::ScriptedPrompter prompter;
  const std::optional<qv::HostConfigValues> values = qv::ReadHostConfig(text, prompter);
  Check(prompter.boxes.size() == (values ? 0u : 1u));
  if (!values) return 0;
  for (int n = 1; n <= qv::kHostConfigLines; ++n)
    Check((*values)[static_cast<std::size_t>(n)].size() ==
          static_cast<std::size_t>(qv::kHostConfigCounts[static_cast<std::size_t>(n)]));

  qv::ScriptedPrompter again;
  const std::optional<qv::HostConfigValues> reread =
      qv::ReadHostConfig(qv::FormatHostConfig({*values, std::string(text.substr(0, 64))}), again);
  Check(reread && *reread == *values);

  hostPrompter.Clear();
  host->Config().Apply(*values);
  clock.AdvanceMs(25);
  host->Main().Timer55ms.Fire();
  host->Main().Timer1000ms.Fire();
  return 0;
}
