#pragma once
// How quenlar-ctl shows a keyboard's configuration: in words for people, or as JSON.

#include "device/HidLink.h"
#include "model/KeyboardState.h"

#include <string>

namespace quenlar::ctl {

std::string statusText(const KeyboardState &state, const DeviceInfo &device);
std::string stateJson(const KeyboardState &state);

} // namespace quenlar::ctl
