// Sends the operator's text down the logger link and echoes it in the memo.
#pragma once

#include "stream/MemoLines.h"
#include "stream/StreamForms.h"

namespace qv {

class SerialPortService;

class TextSender {
 public:
  static constexpr std::size_t kMaxSendChars = 199;

  TextSender(RealTimeTab& tab, MemoLines& lines, SerialPortService& ports);

  // The button: the text alone.
  void BTSendTextClick() { SendText(false); }
  // Enter in the edit: the text, then carriage return and line feed.
  void EditSendTextKeyDown() { SendText(true); }

 private:
  void SendText(bool withLineEnd);

  RealTimeTab& tab_;
  MemoLines& lines_;
  SerialPortService& ports_;
};

}  // namespace qv
