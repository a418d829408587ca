#include "device/InterfaceMatching.h"

#include <gtest/gtest.h>

using namespace quenlar;

namespace {

HidInterfaceInfo iface(std::string path, uint16_t vid, uint16_t pid, int number = -1, bool report4 = false) {
    return {std::move(path), vid, pid, number, report4};
}

TEST(InterfaceMatching, IdentityAndInterfaceRules) {
    struct Row {
        const char *name;
        HidInterfaceInfo info;
        bool config;
        bool event;
    };
    const char *win = R"(\\?\hid#vid_04d9&pid_a131&)";
    const Row rows[] = {
        {"windows configuration", iface(std::string(win) + "mi_03#7&1", 0x04D9, 0xA131), true, false},
        {"windows event collection", iface(std::string(win) + "mi_02&col04#7&2", 0x04D9, 0xA131), false, true},
        {"windows other collection", iface(std::string(win) + "mi_02&col01#7&2", 0x04D9, 0xA131, 3, true), false,
         false},
        {"windows fragments are case-sensitive", iface(std::string(win) + "MI_03#7", 0x04D9, 0xA131), false,
         false},
        {"product 0x0001 like 0xA131", iface(std::string(win) + "mi_03#7&1", 0x04D9, 0x0001), true, false},
        {"other product refused", iface(std::string(win) + "mi_03#7&1", 0x04D9, 0xA132), false, false},
        {"other vendor refused", iface("/dev/hidraw3", 0x046D, 0xA131, 3, true), false, false},
        {"linux interface 3", iface("/dev/hidraw5", 0x04D9, 0xA131, 3), true, false},
        {"linux report 4", iface("/dev/hidraw4", 0x04D9, 0xA131, 1, true), false, true},
        {"linux neither", iface("/dev/hidraw2", 0x04D9, 0xA131, 0), false, false},
        {"linux both", iface("/dev/hidraw6", 0x04D9, 0x0001, 3, true), true, true},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(isConfigInterface(row.info), row.config) << row.name;
        EXPECT_EQ(isEventInterface(row.info), row.event) << row.name;
    }
}

TEST(InterfaceMatching, FirstMatchInEnumerationOrderWins) {
    const std::vector<HidInterfaceInfo> interfaces = {
        iface("/dev/hidraw0", 0x046D, 0xC52B, 3, true),  // a mouse receiver
        iface("/dev/hidraw1", 0x04D9, 0xA131, 0),
        iface("/dev/hidraw2", 0x04D9, 0xA131, 1, true),
        iface("/dev/hidraw3", 0x04D9, 0xA131, 3),
        iface("/dev/hidraw7", 0x04D9, 0x0001, 3),  // a second keyboard
        iface("/dev/hidraw8", 0x04D9, 0x0001, 1, true),
    };
    EXPECT_EQ(findConfigInterface(interfaces)->path, "/dev/hidraw3");
    EXPECT_EQ(findEventInterface(interfaces)->path, "/dev/hidraw2");
    EXPECT_FALSE(findConfigInterface(std::span(interfaces).first(3)));
    EXPECT_FALSE(findEventInterface({}));
}

} // namespace
