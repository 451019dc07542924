// The logger model codes of the status record and the hardware configuration.
#pragma once

namespace qv {

inline constexpr int kModelPx5Plus = 1;
inline constexpr int kModelKr7 = 2;
inline constexpr int kModelZedPlus = 3;

// "PX5+", "KR-7", "Z-Plus"; nullptr for any other code.
const char* ModelShortName(int model);
// Models 1 and 3 carry the px5 meter on serial port 1.
inline bool HasBuiltInPx5(int model) { return model == kModelPx5Plus || model == kModelZedPlus; }

}  // namespace qv
