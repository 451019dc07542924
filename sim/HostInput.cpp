#include "sim/HostInput.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "protocol/Commands.h"
#include "protocol/SetupRecord.h"

namespace qv {

namespace {

// Binary frames open with their lead byte twice and close with the byte sum.
struct FrameKind {
  std::uint8_t lead;
  std::size_t size;
  HostInputKind kind;
  PacketType record;  // the packet type of a record sent whole; None for a frame
};

constexpr FrameKind RecordKind(PacketType type, HostInputKind kind) {
  return {static_cast<std::uint8_t>(type), static_cast<std::size_t>(FixedPacketSize(type)), kind,
          type};
}

constexpr std::array<FrameKind, 5> kFrameKinds{{
    {kCommandMarker & 0xFF, kCommandFrameSize, HostInputKind::Command, PacketType::None},
    RecordKind(PacketType::Setup, HostInputKind::SetupRecord),
    RecordKind(PacketType::AnalogCal, HostInputKind::AnalogCalRecord),
    RecordKind(PacketType::HardwareConfig, HostInputKind::HardwareRecord),
    {kPortTestMarker, kPortTestFrameSize, HostInputKind::PortTest, PacketType::None},
}};

// The leading blanks only wake the line; a logger looks for the words.
constexpr std::array<std::string_view, 2> kStopTexts{kStopText7E1.substr(kStopTextLead),
                                                     kStopTextBreak.substr(kStopTextLead)};

}  // namespace

void HostInputSplitter::Feed(const std::uint8_t* bytes, std::size_t count, std::int64_t nowMs) {
  if (count == 0) return;
  held_.insert(held_.end(), bytes, bytes + count);
  lastFeedMs_ = nowMs;
}

void HostInputSplitter::Clear() { held_.clear(); }

void HostInputSplitter::Skip(std::size_t count) {
  held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(count));
  skipped_ += count;
}

std::optional<HostInput> HostInputSplitter::Next(std::int64_t nowMs) {
  while (!held_.empty()) {
    HostInput out{HostInputKind::Command, {}, {}, {}};
    switch (Examine(out)) {
      case Head::Complete:
        held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(out.bytes.size()));
        return out;
      case Head::NeedMore:
        if (nowMs - lastFeedMs_ < kGapTimeoutMs) return std::nullopt;
        Skip(1);
        break;
      case Head::Unusable:
        Skip(1);
        break;
    }
  }
  return std::nullopt;
}

HostInputSplitter::Head HostInputSplitter::Examine(HostInput& out) {
  const std::size_t held = held_.size();
  for (const FrameKind& kind : kFrameKinds) {
    if (held_[0] != kind.lead) continue;
    if (held < 2) return Head::NeedMore;
    if (held_[1] != kind.lead) break;
    if (held < kind.size) return Head::NeedMore;
    std::vector<std::uint8_t> frame(held_.begin(),
                                    held_.begin() + static_cast<std::ptrdiff_t>(kind.size));
    if (kind.kind == HostInputKind::Command) {
      const std::optional<CommandFrame> command = CommandFrame::Decode(frame);
      if (!command) return Head::Unusable;
      out.command = *command;
    } else if (kind.kind == HostInputKind::PortTest) {
      const std::optional<PortTestFrame> test = PortTestFrame::Decode(frame);
      if (!test) {
        ++rejected_;
        return Head::Unusable;
      }
      out.portTest = *test;
    } else if (!HoldsPacket(frame, kind.record)) {
      ++rejected_;
      return Head::Unusable;
    }
    out.kind = kind.kind;
    out.bytes = std::move(frame);
    return Head::Complete;
  }
  for (std::string_view text : kStopTexts) {
    const std::size_t n = std::min(held, text.size());
    if (!std::equal(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), held_.begin()))
      continue;
    if (n < text.size()) return Head::NeedMore;
    out.kind = HostInputKind::StopText;
    out.bytes.assign(text.begin(), text.end());
    return Head::Complete;
  }
  return Head::Unusable;
}

}  // namespace qv
