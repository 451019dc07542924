// The factory password that guards the factory records and defaults. The
// count of failures lives for the run and picks the message.
#pragma once

#include <string>

#include "common/Prompter.h"

namespace qv {

class FactoryPassword {
 public:
  explicit FactoryPassword(Prompter& prompter) : prompter_(prompter) {}
  // True when the first nine characters are the password; otherwise tells
  // the operator and counts the failure.
  bool CheckFactoryPassword(const std::string& text);
  int Failures() const { return failures_; }

 private:
  Prompter& prompter_;
  int failures_ = 0;
};

}  // namespace qv
