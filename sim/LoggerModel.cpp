#include "sim/LoggerModel.h"

namespace qv {

ModelPorts PortsOfModel(int model) {
  switch (model) {
    case kModelPx5Plus: return {0x000F, 0x0007, 0x0003};
    case kModelKr7: return {0x00FF, 0x007F, 0x000F};
    case kModelZedPlus: return {0x003F, 0x007F, 0x000F};
    default: return {0, 0, 0};
  }
}

}  // namespace qv
