// Which device is "COM n" (1..12): filled at start-up from the machine's serial
// devices, stable by-id names first, and overridable per COM number.
#pragma once

#include <array>
#include <string>

namespace qv {

class ComPortTable {
 public:
  static constexpr int kComPorts = 12;

  // Stable /dev/serial/by-id names (sorted), then USB and ACM ports that no
  // by-id name covers, then on-board UARTs that really exist; the roots are
  // parameters so a test can hand in a fake tree.
  static ComPortTable Scan(const std::string& devRoot = "/dev",
                           const std::string& sysRoot = "/sys");

  // The device path of COM n; empty when there is none or n is out of range.
  std::string Path(int com) const;
  // Out-of-range COM numbers are ignored.
  void Set(int com, const std::string& path);
  // Applies "COMn=PATH" (n 1..12, PATH not empty, "COM" in any case); returns
  // an error text for a malformed one and changes nothing then, else "".
  std::string ApplyOverride(const std::string& text);

 private:
  std::array<std::string, kComPorts + 1> paths_{};  // index 0 unused
};

}  // namespace qv
