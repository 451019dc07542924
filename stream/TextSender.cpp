#include "stream/TextSender.h"

#include <cstdint>
#include <string>

#include "link/SerialPortService.h"

namespace qv {

TextSender::TextSender(RealTimeTab& tab, MemoLines& lines, SerialPortService& ports)
    : tab_(tab), lines_(lines), ports_(ports) {}

void TextSender::SendText(bool withLineEnd) {
  const std::string text = tab_.EditSendText.Text().substr(0, kMaxSendChars);
  tab_.EditSendText.SetText("");
  lines_.AppendToMemo("\r\n");
  if (!text.empty())
    ports_.WritePortSlot(kLoggerSlot, reinterpret_cast<const std::uint8_t*>(text.data()),
                         static_cast<int>(text.size()));
  lines_.AppendToMemo(text);
  if (withLineEnd) {
    static constexpr std::uint8_t kLineEnd[] = {'\r', '\n'};
    ports_.WritePortSlot(kLoggerSlot, kLineEnd, 2);
  }
  lines_.AppendToMemo("\r\n");
}

}  // namespace qv
