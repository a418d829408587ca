#pragma once
// Just enough of a HID report descriptor to tell the keyboard's interfaces apart: which report
// ids it declares, and whether one of them carries input (the event interface declares input
// report 4).

#include <cstdint>
#include <span>

namespace quenlar {

struct ReportDescriptorFacts {
    bool usesReportIds = false;        // reports carry an id byte on the wire
    bool declaresInputReport4 = false; // an Input item stands under Report ID 4
};

ReportDescriptorFacts readReportDescriptor(std::span<const uint8_t> descriptor);

} // namespace quenlar
