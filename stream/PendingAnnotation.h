// An annotation stamped with the PC time and waiting for the PC Logger,
// which sends it as the port 9 text of its next packet.
#pragma once

#include <optional>
#include <string>

namespace qv {

struct PendingAnnotation {
  std::string text;  // the PC time text, a space, the annotation
  bool pending = false;

  // The waiting text, now taken; nothing when none waits.
  std::optional<std::string> Take() {
    if (!pending) return std::nullopt;
    pending = false;
    return std::move(text);
  }
};

}  // namespace qv
