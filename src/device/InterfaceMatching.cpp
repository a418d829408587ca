#include "device/InterfaceMatching.h"

namespace quenlar {

namespace {
bool contains(const std::string &path, const char *fragment) { return path.find(fragment) != std::string::npos; }

// Paths of the form "...&mi_01&col02#..." name the interface and collection themselves.
bool pathNamesInterface(const std::string &path) { return contains(path, "mi_") || contains(path, "col0"); }

template <typename Predicate>
std::optional<HidInterfaceInfo> findFirst(std::span<const HidInterfaceInfo> interfaces, Predicate matches) {
    for (const auto &info : interfaces)
        if (matches(info))
            return info;
    return std::nullopt;
}
} // namespace

bool isKeyboardIdentity(uint16_t vendorId, uint16_t productId) {
    if (vendorId != kKeyboardVendorId)
        return false;
    for (uint16_t id : kKeyboardProductIds)
        if (productId == id)
            return true;
    return false;
}

bool isConfigInterface(const HidInterfaceInfo &info) {
    if (!isKeyboardIdentity(info.vendorId, info.productId))
        return false;
    if (pathNamesInterface(info.path))
        return contains(info.path, kConfigPathFragment);
    return info.interfaceNumber == kConfigInterfaceNumber;
}

bool isEventInterface(const HidInterfaceInfo &info) {
    if (!isKeyboardIdentity(info.vendorId, info.productId))
        return false;
    if (pathNamesInterface(info.path))
        return contains(info.path, kEventPathFragment);
    return info.declaresInputReport4;
}

std::optional<HidInterfaceInfo> findConfigInterface(std::span<const HidInterfaceInfo> interfaces) {
    return findFirst(interfaces, isConfigInterface);
}

std::optional<HidInterfaceInfo> findEventInterface(std::span<const HidInterfaceInfo> interfaces) {
    return findFirst(interfaces, isEventInterface);
}

} // namespace quenlar
