// Builds the COM number table from the serial devices present under /dev and
// /sys, and applies the operator's per-COM overrides.
#include "platform/ComPortTable.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <utility>
#include <vector>

namespace qv {

namespace fs = std::filesystem;

namespace {

// A device name as prefix and trailing number ("ttyUSB10" -> "ttyUSB", 10);
// the number is -1 when there is none.
std::pair<std::string, long> SplitName(const std::string& name) {
  std::size_t i = name.size();
  while (i > 0 && std::isdigit(static_cast<unsigned char>(name[i - 1]))) --i;
  if (i == name.size() || name.size() - i > 9) return {name, -1};
  return {name.substr(0, i), std::stol(name.substr(i))};
}

// Sorts by prefix, then by number, so ttyUSB2 comes before ttyUSB10.
bool DeviceOrder(const std::string& a, const std::string& b) {
  auto sa = SplitName(a), sb = SplitName(b);
  if (sa != sb) return sa < sb;
  return a < b;
}

std::vector<std::string> NamesIn(const fs::path& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  return names;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

std::string RealPath(const fs::path& p) {
  std::error_code ec;
  fs::path real = fs::canonical(p, ec);
  return ec ? std::string() : real.string();
}

// An on-board port name exists for every possible UART; only a type other
// than 0 says there is hardware behind it.
bool UartPresent(const fs::path& sysRoot, const std::string& name) {
  std::ifstream in(sysRoot / "class" / "tty" / name / "type");
  int type = 0;
  return in >> type && type != 0;
}

}  // namespace

ComPortTable ComPortTable::Scan(const std::string& devRoot, const std::string& sysRoot) {
  std::vector<std::string> found;
  std::set<std::string> covered;  // real paths already reachable by a listed name

  const fs::path dev(devRoot);
  const fs::path byId = dev / "serial" / "by-id";
  std::vector<std::string> ids = NamesIn(byId);
  std::sort(ids.begin(), ids.end());
  for (const std::string& id : ids) {
    std::string real = RealPath(byId / id);
    if (real.empty() || !covered.insert(real).second) continue;  // dangling or duplicate
    found.push_back((byId / id).string());
  }

  std::vector<std::string> usb, uarts;
  for (const std::string& name : NamesIn(dev)) {
    if (StartsWith(name, "ttyUSB") || StartsWith(name, "ttyACM"))
      usb.push_back(name);
    else if (StartsWith(name, "ttyS") && SplitName(name).second >= 0)
      uarts.push_back(name);
  }
  std::sort(usb.begin(), usb.end(), DeviceOrder);
  std::sort(uarts.begin(), uarts.end(), DeviceOrder);
  for (const std::string& name : usb) {
    std::string real = RealPath(dev / name);
    if (real.empty() || !covered.insert(real).second) continue;
    found.push_back((dev / name).string());
  }
  for (const std::string& name : uarts) {
    if (!UartPresent(fs::path(sysRoot), name)) continue;
    std::string real = RealPath(dev / name);
    if (real.empty() || !covered.insert(real).second) continue;
    found.push_back((dev / name).string());
  }

  ComPortTable table;
  for (std::size_t i = 0; i < found.size() && i < kComPorts; ++i)
    table.paths_[i + 1] = found[i];
  return table;
}

std::string ComPortTable::Path(int com) const {
  return com >= 1 && com <= kComPorts ? paths_[com] : std::string();
}

void ComPortTable::Set(int com, const std::string& path) {
  if (com >= 1 && com <= kComPorts) paths_[com] = path;
}

std::string ComPortTable::ApplyOverride(const std::string& text) {
  const std::string bad = "bad port override \"" + text +
                          "\": expected COMn=PATH with n from 1 to 12 and a device path";
  std::size_t eq = text.find('=');
  if (eq == std::string::npos || text.size() < 3) return bad;
  for (std::size_t i = 0; i < 3; ++i)
    if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i]) return bad;
  std::string digits = text.substr(3, eq - 3);
  std::string path = text.substr(eq + 1);
  if (digits.empty() || digits.size() > 2 || path.empty()) return bad;
  for (char c : digits)
    if (!std::isdigit(static_cast<unsigned char>(c))) return bad;
  int com = std::stoi(digits);
  if (com < 1 || com > kComPorts) return bad;
  paths_[com] = path;
  return {};
}

}  // namespace qv
