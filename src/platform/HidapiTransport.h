#pragma once
// The keyboard over USB: hidapi's hidraw back end. Interfaces are listed with their USB
// interface number and what their report descriptor (read from sysfs) declares, so that the
// matching rule can tell the configuration interface from the event interface.
//
// Handles keep the link's buffer convention (byte 0 is the report id, 0 where the interface has
// no numbered reports) whatever hidapi hands back.

#include "device/HidTransport.h"

namespace quenlar {

class HidapiTransport final : public HidTransport {
public:
    HidapiTransport();
    ~HidapiTransport() override;
    std::vector<HidInterfaceInfo> enumerate() override;
    std::unique_ptr<HidHandle> open(const std::string &path) override;
};

} // namespace quenlar
