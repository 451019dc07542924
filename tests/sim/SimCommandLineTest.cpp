// The qvsim command line: what each option sets and what it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/SimCommandLine.h"

namespace qv {
namespace {

TEST(SimCommandLineTest, OptionsSetTheSimulator) {
  const SimCommandLine none = ParseSimCommandLine({});
  EXPECT_TRUE(none.error.empty());
  EXPECT_EQ(none.options.model, kModelKr7);
  EXPECT_EQ(none.options.line.baud, 9600);
  EXPECT_EQ(none.options.line.dataBits, 8);
  EXPECT_EQ(none.options.firmwareMajor, 6);
  EXPECT_EQ(none.options.firmwareMinor, 10);
  EXPECT_EQ(none.options.chain, 0);
  EXPECT_EQ(none.options.rateHz, 0);
  EXPECT_FALSE(none.options.stream);

  const SimCommandLine r = ParseSimCommandLine(
      {"--model", "zed", "--id", "3", "--baud", "4800", "--7e1", "--seed", "99", "--link",
       "/tmp/logger", "--drop=0.5", "--corrupt", "0.01", "--repeat", "1", "--clock-offset", "-10",
       "--firmware", "6.04", "--switch", "4", "--cable", "rs422", "--quiet", "--stream",
       "--chain", "4", "--rate=20", "--packet-gap", "0.1", "--packet-repeat", "0.2",
       "--packet-corrupt", "0.3"});
  ASSERT_TRUE(r.error.empty()) << r.error;
  const SimOptions& o = r.options;
  EXPECT_EQ(o.model, kModelZedPlus);
  EXPECT_EQ(o.loggerId, 3);
  EXPECT_EQ(o.line.baud, 4800);
  EXPECT_EQ(o.line.dataBits, 7);
  EXPECT_EQ(o.line.parity, 'E');
  EXPECT_EQ(o.seed, 99u);
  EXPECT_EQ(o.linkPath, "/tmp/logger");
  EXPECT_DOUBLE_EQ(o.dropRate, 0.5);
  EXPECT_DOUBLE_EQ(o.corruptRate, 0.01);
  EXPECT_DOUBLE_EQ(o.repeatRate, 1.0);
  EXPECT_EQ(o.clockOffsetSeconds, -10);
  EXPECT_EQ(o.firmwareMajor, 6);
  EXPECT_EQ(o.firmwareMinor, 4);
  EXPECT_EQ(o.runStopSwitch, 4);
  EXPECT_EQ(o.cable, Cable::Rs422);
  EXPECT_TRUE(r.quiet);
  EXPECT_TRUE(o.stream);
  EXPECT_EQ(o.chain, 4);
  EXPECT_EQ(o.rateHz, 20);
  EXPECT_DOUBLE_EQ(o.packetGapRate, 0.1);
  EXPECT_DOUBLE_EQ(o.packetRepeatRate, 0.2);
  EXPECT_DOUBLE_EQ(o.packetCorruptRate, 0.3);

  struct Model {
    const char* arg;
    int model;
  };
  for (const Model& m : {Model{"px5", 1}, Model{"1", 1}, Model{"kr7", 2}, Model{"2", 2},
                         Model{"3", 3}}) {
    EXPECT_EQ(ParseSimCommandLine({"--model", m.arg}).options.model, m.model) << m.arg;
  }
  EXPECT_EQ(ParseSimCommandLine({"--firmware", "6.1"}).options.firmwareMinor, 10);
  EXPECT_EQ(ParseSimCommandLine({"--serial", "1001"}).options.serialNumber, 1001);
  EXPECT_TRUE(ParseSimCommandLine({"--help"}).help);
}

TEST(SimCommandLineTest, RefusesWhatItCannotTake) {
  struct Case {
    std::vector<std::string> args;
    const char* mentions;
  };
  const Case cases[] = {
      {{"--bogus"}, "--bogus"},
      {{"--model", "kr8"}, "--model"},
      {{"--baud", "300"}, "--baud"},
      {{"--baud", "9600x"}, "--baud"},
      {{"--baud"}, "needs a value"},
      {{"--7e1", "--baud", "19200"}, "--7e1"},
      {{"--id", "256"}, "--id"},
      {{"--drop", "1.5"}, "--drop"},
      {{"--repeat", "-0.1"}, "--repeat"},
      {{"--corrupt", "nan"}, "--corrupt"},
      {{"--firmware", "6.123"}, "--firmware"},
      {{"--firmware", "16.00"}, "--firmware"},
      {{"--seed", "-1"}, "--seed"},
      {{"--cable", "usb"}, "--cable"},
      {{"--switch", "40000"}, "--switch"},
      {{"--serial", "0"}, "--serial"},
      {{"--quiet=yes"}, "no value"},
      {{"--stream=1"}, "no value"},
      {{"--chain", "0"}, "--chain"},
      {{"--chain", "5"}, "--chain"},
      {{"--rate", "0"}, "--rate"},
      {{"--rate", "21"}, "--rate"},
      {{"--packet-gap", "2"}, "--packet-gap"},
      {{"--packet-repeat"}, "needs a value"},
      {{"--packet-corrupt", "x"}, "--packet-corrupt"},
  };
  for (const Case& c : cases) {
    const SimCommandLine r = ParseSimCommandLine(c.args);
    EXPECT_NE(r.error.find(c.mentions), std::string::npos) << c.args[0] << ": " << r.error;
  }
}

}  // namespace
}  // namespace qv
