// The setup a logger of each model comes with and returns to on "load
// defaults": moored sampling of a few seconds with plausible meters.
#pragma once

#include "platform/SerialBackend.h"
#include "protocol/SetupRecord.h"

namespace qv {

// The default setup of the model with its host port on `hostLine`, sealed.
SetupBytes DefaultSetup(int model, const LineSetting& hostLine);

}  // namespace qv
