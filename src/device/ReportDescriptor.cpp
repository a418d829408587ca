#include "device/ReportDescriptor.h"

namespace quenlar {

ReportDescriptorFacts readReportDescriptor(std::span<const uint8_t> descriptor) {
    ReportDescriptorFacts facts;
    unsigned reportId = 0;
    std::size_t i = 0;
    while (i < descriptor.size()) {
        const uint8_t prefix = descriptor[i];
        if (prefix == 0xFE) {  // long item: size in the next byte, skipped whole
            if (i + 1 >= descriptor.size())
                break;
            i += 3 + descriptor[i + 1];
            continue;
        }
        static constexpr std::size_t kSizes[] = {0, 1, 2, 4};
        const std::size_t size = kSizes[prefix & 3];
        if (i + 1 + size > descriptor.size())
            break;  // a truncated item ends the walk
        unsigned data = 0;
        for (std::size_t b = 0; b < size; ++b)
            data |= static_cast<unsigned>(descriptor[i + 1 + b]) << (8 * b);
        const uint8_t tagAndType = prefix & 0xFC;
        if (tagAndType == 0x84) {  // global Report ID
            reportId = data;
            facts.usesReportIds = true;
        } else if (tagAndType == 0x80 && reportId == 4) {  // main Input
            facts.declaresInputReport4 = true;
        }
        i += 1 + size;
    }
    return facts;
}

} // namespace quenlar
