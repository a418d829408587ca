#pragma once
// Which of the computer's HID interfaces are the keyboard's two interfaces.
//
// The keyboard is vendor 0x04D9, product 0x0001 or 0xA131. Of its interfaces the program uses:
//   - the configuration interface, for commands and data blocks: USB interface 3;
//   - the event interface, for acknowledgements and key requests: the one whose report
//     descriptor declares input report id 4.
// Where device paths carry the interface and collection fragments ("mi_03", "ol04", as Windows
// paths do) the fragment test decides, as a plain case-sensitive substring search; Linux hidraw
// paths carry neither, and there the interface number and report descriptor decide. The first
// matching interface in enumeration order wins.

#include "device/HidTransport.h"

#include <optional>
#include <span>
#include <string>

namespace quenlar {

inline constexpr uint16_t kKeyboardVendorId = 0x04D9;
inline constexpr uint16_t kKeyboardProductIds[] = {0x0001, 0xA131};
inline constexpr char kConfigPathFragment[] = "mi_03";
inline constexpr char kEventPathFragment[] = "ol04";
inline constexpr int kConfigInterfaceNumber = 3;

bool isKeyboardIdentity(uint16_t vendorId, uint16_t productId);
bool isConfigInterface(const HidInterfaceInfo &info);
bool isEventInterface(const HidInterfaceInfo &info);

std::optional<HidInterfaceInfo> findConfigInterface(std::span<const HidInterfaceInfo> interfaces);
std::optional<HidInterfaceInfo> findEventInterface(std::span<const HidInterfaceInfo> interfaces);

} // namespace quenlar
