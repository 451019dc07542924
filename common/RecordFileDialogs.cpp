#include "common/RecordFileDialogs.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/Format.h"

namespace qv {

bool RecordFileDialogs::WriteRecordFile(const RecordFileKind& kind, const std::uint8_t* record) {
  auto path = prompter_.SaveFile({kind.saveTitle, kind.extension, kind.filter, saveName_, false});
  if (!path) return false;
  saveName_ = *path;
  const auto size = static_cast<std::size_t>(kind.size);
  std::FILE* f = std::fopen(path->c_str(), "wb");
  bool ok = f && std::fwrite(record, 1, size, f) == size;
  if (f && std::fclose(f) != 0) ok = false;
  if (!ok) prompter_.ShowNotice("File Error", Format("Unable to Write to %s", path->c_str()));
  return ok;
}

int RecordFileDialogs::ReadRecordFile(const RecordFileKind& kind, std::uint8_t* record) {
  auto path = prompter_.OpenFile({kind.openTitle, kind.extension, kind.filter, openName_, false});
  if (!path) return 0;
  openName_ = *path;
  // A short file must not leave half a record behind.
  std::vector<std::uint8_t> scratch(static_cast<std::size_t>(kind.size));
  std::FILE* f = std::fopen(path->c_str(), "rb");
  const bool whole = f && std::fread(scratch.data(), 1, scratch.size(), f) == scratch.size();
  if (f) std::fclose(f);
  if (!whole) {
    prompter_.ShowNotice("File Error", Format("Unable to Read %s", path->c_str()));
    return 0;
  }
  std::copy(scratch.begin(), scratch.end(), record);
  return 1;
}

}  // namespace qv
