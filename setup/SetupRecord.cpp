#include "setup/SetupRecord.h"

#include "common/ByteOrder.h"
#include "common/ByteSum.h"

namespace qv {

std::uint16_t SetupRecord::U16(int off) const { return ReadLE16(b_.data() + off); }
std::int32_t SetupRecord::I32(int off) const { return ReadLE32s(b_.data() + off); }
void SetupRecord::PutU16(int off, std::uint16_t v) { WriteLE16(b_.data() + off, v); }
void SetupRecord::PutI32(int off, std::int32_t v) {
  WriteLE32(b_.data() + off, static_cast<std::uint32_t>(v));
}

void SetupRecord::SealChecksum() { qv::SealChecksum(b_.data(), kSetupRecordSize); }
bool SetupRecord::ChecksumValid() const { return qv::ChecksumValid(b_.data(), kSetupRecordSize); }

}  // namespace qv
