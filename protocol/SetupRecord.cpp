#include "protocol/SetupRecord.h"

#include "common/ByteOrder.h"
#include "protocol/ByteSum.h"

namespace qv {

std::uint16_t SetupView::U16(int off) const { return ReadLE16(b_ + off); }
std::int32_t SetupView::I32(int off) const { return ReadLE32s(b_ + off); }
bool SetupView::ChecksumValid() const { return qv::ChecksumValid(b_, kSetupRecordSize); }

void SetupRecord::PutU16(int off, std::uint16_t v) { WriteLE16(w_.data() + off, v); }
void SetupRecord::PutI32(int off, std::int32_t v) {
  WriteLE32(w_.data() + off, static_cast<std::uint32_t>(v));
}
void SetupRecord::SealChecksum() { qv::SealChecksum(w_.data(), kSetupRecordSize); }

}  // namespace qv
