// An in-memory serial backend for tests: bytes queued per COM number arrive
// on reads, writes are kept per COM number, and devices can be made missing
// (an open on them fails; a handle already open on one reads and writes as a
// device that went away).
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/SerialBackend.h"

namespace qv::testing {

class FakeSerialBackend : public SerialBackend {
 public:
  Handle Open(int comNumber, const LineSetting& setting) override {
    ++openCalls;
    if (missing.count(comNumber) || openByCom_.count(comNumber)) return kInvalidHandle;
    Handle h = nextHandle_++;
    comOfHandle_[h] = comNumber;
    openByCom_[comNumber] = h;
    lastSetting[comNumber] = setting;
    return h;
  }
  bool Close(Handle h) override {
    auto it = comOfHandle_.find(h);
    if (it == comOfHandle_.end()) return false;
    openByCom_.erase(it->second);
    comOfHandle_.erase(it);
    return !failClose;
  }
  long Read(Handle h, std::uint8_t* buffer, std::size_t max) override {
    auto it = comOfHandle_.find(h);
    if (it == comOfHandle_.end() || missing.count(it->second)) return -1;
    auto& q = incoming[it->second];
    std::size_t n = 0;
    std::size_t limit = readLimit ? std::min(max, readLimit) : max;
    while (n < limit && !q.empty()) {
      buffer[n++] = q.front();
      q.pop_front();
    }
    return static_cast<long>(n);
  }
  long Write(Handle h, const std::uint8_t* bytes, std::size_t count) override {
    auto it = comOfHandle_.find(h);
    if (it == comOfHandle_.end() || missing.count(it->second)) return -1;
    auto& w = written[it->second];
    w.insert(w.end(), bytes, bytes + count);
    return static_cast<long>(count);
  }
  std::string DeviceName(int comNumber) const override {
    return "/dev/fake" + std::to_string(comNumber);
  }

  void Feed(int com, const std::vector<std::uint8_t>& bytes) {
    incoming[com].insert(incoming[com].end(), bytes.begin(), bytes.end());
  }
  bool IsOpen(int com) const { return openByCom_.count(com) != 0; }
  std::vector<std::uint8_t> TakeWritten(int com) {
    auto w = std::move(written[com]);
    written[com].clear();
    return w;
  }

  std::map<int, std::deque<std::uint8_t>> incoming;
  std::map<int, std::vector<std::uint8_t>> written;
  std::map<int, LineSetting> lastSetting;
  std::set<int> missing;
  bool failClose = false;
  std::size_t readLimit = 0;  // 0: no limit per read
  int openCalls = 0;

 private:
  Handle nextHandle_ = 3;
  std::map<Handle, int> comOfHandle_;
  std::map<int, Handle> openByCom_;
};

}  // namespace qv::testing
