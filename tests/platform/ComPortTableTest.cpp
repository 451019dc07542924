// Which device becomes "COM n": the scan over a fake /dev and /sys tree, and
// the operator's COMn=PATH overrides.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/ComPortTable.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

class ComPortScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/qv-comscan-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root_ = tmpl;
    dev_ = root_ / "dev";
    sys_ = root_ / "sys";
    fs::create_directories(dev_ / "serial" / "by-id");
    fs::create_directories(sys_ / "class" / "tty");
  }
  void TearDown() override { fs::remove_all(root_); }

  void Device(const std::string& name) { std::ofstream(dev_ / name).put('\0'); }
  void ById(const std::string& name, const std::string& target) {
    fs::create_symlink(target, dev_ / "serial" / "by-id" / name);
  }
  void UartType(const std::string& name, const std::string& type) {
    fs::create_directories(sys_ / "class" / "tty" / name);
    std::ofstream(sys_ / "class" / "tty" / name / "type") << type << "\n";
  }
  ComPortTable Scan() const { return ComPortTable::Scan(dev_.string(), sys_.string()); }
  std::string Dev(const std::string& name) const { return (dev_ / name).string(); }
  std::string Id(const std::string& name) const {
    return (dev_ / "serial" / "by-id" / name).string();
  }

  fs::path root_, dev_, sys_;
};

TEST_F(ComPortScanTest, StableNamesFirstThenUncoveredUsbThenRealUarts) {
  for (const char* name : {"ttyUSB0", "ttyUSB1", "ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS0",
                           "ttyS1", "ttyS2", "ttyS3", "tty0", "ttyprintk"})
    Device(name);
  ById("usb-Zeta_Logger-if00-port0", "../../ttyUSB1");
  ById("usb-Acme_Modem-if00", "../../ttyACM0");
  ById("usb-Gone_Cable-if00-port0", "../../ttyUSB7");  // dangling: unplugged
  UartType("ttyS0", "4");
  UartType("ttyS1", "0");  // no UART behind it
  UartType("ttyS3", "1");
  // ttyS2 has no type file at all.

  ComPortTable table = Scan();
  const std::string expected[] = {
      Id("usb-Acme_Modem-if00"), Id("usb-Zeta_Logger-if00-port0"),
      Dev("ttyUSB0"),            Dev("ttyUSB2"),
      Dev("ttyUSB10"),           Dev("ttyS0"),
      Dev("ttyS3"),
  };
  for (int com = 1; com <= ComPortTable::kComPorts; ++com) {
    SCOPED_TRACE(com);
    std::size_t i = static_cast<std::size_t>(com - 1);
    EXPECT_EQ(table.Path(com), i < std::size(expected) ? expected[i] : "");
  }
}

TEST_F(ComPortScanTest, TwelveComNumbersAtMostAndNothingOnAnEmptyMachine) {
  ComPortTable empty = Scan();
  for (int com = 0; com <= ComPortTable::kComPorts + 1; ++com) EXPECT_EQ(empty.Path(com), "");
  EXPECT_EQ(ComPortTable::Scan((root_ / "nowhere").string(), sys_.string()).Path(1), "");

  for (int i = 0; i < 15; ++i) Device("ttyUSB" + std::to_string(i));
  ComPortTable full = Scan();
  EXPECT_EQ(full.Path(12), Dev("ttyUSB11"));
  EXPECT_EQ(full.Path(13), "");
}

TEST(ComPortOverride, ParsesComEqualsPath) {
  struct Row {
    const char* text;
    int com;  // 0: refused
    const char* path;
  };
  const Row rows[] = {
      {"COM1=/dev/pts/3", 1, "/dev/pts/3"},
      {"COM12=/dev/ttyUSB0", 12, "/dev/ttyUSB0"},
      {"com4=/dev/serial/by-id/a=b", 4, "/dev/serial/by-id/a=b"},
      {"COM07=/dev/ttyS1", 7, "/dev/ttyS1"},
      {"COM13=/dev/x", 0, ""},
      {"COM0=/dev/x", 0, ""},
      {"COM=/dev/x", 0, ""},
      {"COM1=", 0, ""},
      {"COM1/dev/x", 0, ""},
      {"COMx=/dev/x", 0, ""},
      {"COM-1=/dev/x", 0, ""},
      {"COM 1=/dev/x", 0, ""},
      {"PORT1=/dev/x", 0, ""},
      {"", 0, ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    ComPortTable table;
    table.Set(1, "/dev/before");
    std::string error = table.ApplyOverride(r.text);
    if (r.com == 0) {
      EXPECT_NE(error, "");
      EXPECT_EQ(table.Path(1), "/dev/before");
      for (int com = 2; com <= ComPortTable::kComPorts; ++com) EXPECT_EQ(table.Path(com), "");
    } else {
      EXPECT_EQ(error, "");
      EXPECT_EQ(table.Path(r.com), r.path);
    }
  }
}

}  // namespace
}  // namespace qv
