#include "sim/LoggerModel.h"

#include "sim/SimOptions.h"

namespace qv {

bool IsKnownModel(int model) {
  return model == kModelPx5Plus || model == kModelKr7 || model == kModelZedPlus;
}

ModelPorts PortsOfModel(int model) {
  switch (model) {
    case kModelPx5Plus: return {0x000F, 0x0007, 0x0003};
    case kModelKr7: return {0x00FF, 0x007F, 0x000F};
    case kModelZedPlus: return {0x003F, 0x007F, 0x000F};
    default: return {0, 0, 0};
  }
}

const char* ModelShortName(int model) {
  switch (model) {
    case kModelPx5Plus: return "PX5+";
    case kModelKr7: return "KR-7";
    case kModelZedPlus: return "Z-Plus";
    default: return "???";
  }
}

bool HasBuiltInPx5(int model) { return model == kModelPx5Plus || model == kModelZedPlus; }

}  // namespace qv
