#include "platform/HidapiTransport.h"

#include "device/ReportDescriptor.h"
#include "model/FileIo.h"

#include <hidapi/hidapi.h>

#include <filesystem>

namespace quenlar {

namespace {

// /dev/hidraw5 -> /sys/class/hidraw/hidraw5/device/report_descriptor
ReportDescriptorFacts descriptorFacts(const std::string &path) {
    const std::filesystem::path node(path);
    const auto bytes = readWholeFile(std::filesystem::path("/sys/class/hidraw") / node.filename() / "device" /
                                     "report_descriptor");
    if (!bytes)
        return {};
    return readReportDescriptor(*bytes);
}

class HidapiHandle final : public HidHandle {
public:
    HidapiHandle(hid_device *device, bool numberedReports) : device_(device), numbered_(numberedReports) {}
    ~HidapiHandle() override { hid_close(device_); }

    int sendFeatureReport(std::span<const uint8_t> report) override {
        return hid_send_feature_report(device_, report.data(), report.size());
    }
    int getFeatureReport(std::span<uint8_t> buffer) override {
        return hid_get_feature_report(device_, buffer.data(), buffer.size());
    }
    int write(std::span<const uint8_t> report) override { return hid_write(device_, report.data(), report.size()); }
    int read(std::span<uint8_t> buffer, int timeoutMs) override {
        if (numbered_)
            return hid_read_timeout(device_, buffer.data(), buffer.size(), timeoutMs);
        // Unnumbered reports arrive without the id byte; put the 0 in front.
        buffer[0] = 0;
        const int n = hid_read_timeout(device_, buffer.data() + 1, buffer.size() - 1, timeoutMs);
        return n > 0 ? n + 1 : n;
    }

private:
    hid_device *device_;
    bool numbered_;
};

} // namespace

HidapiTransport::HidapiTransport() { hid_init(); }

HidapiTransport::~HidapiTransport() { hid_exit(); }

std::vector<HidInterfaceInfo> HidapiTransport::enumerate() {
    std::vector<HidInterfaceInfo> interfaces;
    hid_device_info *list = hid_enumerate(0, 0);
    for (hid_device_info *info = list; info; info = info->next) {
        const std::string path = info->path ? info->path : "";
        interfaces.push_back({path, info->vendor_id, info->product_id, info->interface_number,
                              descriptorFacts(path).declaresInputReport4});
    }
    hid_free_enumeration(list);
    return interfaces;
}

std::unique_ptr<HidHandle> HidapiTransport::open(const std::string &path) {
    hid_device *device = hid_open_path(path.c_str());
    if (!device)
        return nullptr;
    return std::make_unique<HidapiHandle>(device, descriptorFacts(path).usesReportIds);
}

} // namespace quenlar
