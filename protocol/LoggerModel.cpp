#include "protocol/LoggerModel.h"

namespace qv {

const char* ModelShortName(int model) {
  switch (model) {
    case kModelPx5Plus: return "PX5+";
    case kModelKr7: return "KR-7";
    case kModelZedPlus: return "Z-Plus";
    default: return nullptr;
  }
}

}  // namespace qv
