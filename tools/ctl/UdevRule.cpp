#include "UdevRule.h"

#include "device/InterfaceMatching.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace quenlar::ctl {

std::string udevRuleText() {
    std::string text =
        "# Quenlar keyboard: the user logged in at the seat may open its hidraw nodes\n"
        "# (configuration and key events), so the configuration program runs without root.\n";
    for (uint16_t product : kKeyboardProductIds) {
        char line[200];
        std::snprintf(line, sizeof line,
                      "SUBSYSTEM==\"hidraw\", KERNEL==\"hidraw*\", ATTRS{idVendor}==\"%04x\", "
                      "ATTRS{idProduct}==\"%04x\", TAG+=\"uaccess\"\n",
                      kKeyboardVendorId, product);
        text += line;
    }
    return text;
}

std::vector<std::string> udevRuleLocations(const std::string &programFolder) {
    std::vector<std::string> locations = {"/etc/udev/rules.d/", "/usr/lib/udev/rules.d/", "/lib/udev/rules.d/"};
    const auto prefixRules =
        (std::filesystem::path(programFolder) / ".." / ".." / "lib" / "udev" / "rules.d").lexically_normal();
    const std::string prefixFolder = prefixRules.string() + "/";
    if (std::find(locations.begin(), locations.end(), prefixFolder) == locations.end())
        locations.push_back(prefixFolder);
    for (auto &location : locations)
        location += kUdevRuleFileName;
    return locations;
}

} // namespace quenlar::ctl
