#include "factory/FactoryPassword.h"

namespace qv {

namespace {
constexpr char kPassword[] = "BlueHaven";
}

bool FactoryPassword::CheckFactoryPassword(const std::string& text) {
  if (text.compare(0, 9, kPassword) == 0 && text.size() >= 9) return true;
  prompter_.ShowNotice(
      "Password Error",
      failures_ == 0
          ? "You Must Enter a Valid Password to Change the Hardware Configuration or Analog "
            "Calibration"
          : "An Invalid Password Was Entered -- Please Check Caps Lock");
  ++failures_;
  return false;
}

}  // namespace qv
