// A serial backend for fuzz targets that run the host program: every port
// opens, reads nothing and swallows what it is sent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/SerialBackend.h"

namespace qv::fuzz {

class SinkBackend : public SerialBackend {
 public:
  Handle Open(int, const LineSetting&) override { return 3; }
  bool Close(Handle) override { return true; }
  long Read(Handle, std::uint8_t*, std::size_t) override { return 0; }
  long Write(Handle, const std::uint8_t*, std::size_t count) override {
    return static_cast<long>(count);
  }
  std::string DeviceName(int) const override { return {}; }
};

}  // namespace qv::fuzz
