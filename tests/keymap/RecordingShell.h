#pragma once
// A HostShell that records every request and answers as told.

#include "keymap/HostShell.h"

#include <string>
#include <vector>

namespace quenlar::testing {

class RecordingShell : public HostShell {
public:
    struct Call {
        std::string what;    // "document", "folder" or "program"
        std::string path;
        std::string workingFolder;
        friend bool operator==(const Call &, const Call &) = default;
    };

    bool openDocument(const std::string &path) override { return record({"document", path, {}}); }
    bool openFolder(const std::string &path) override { return record({"folder", path, {}}); }
    bool startProgram(const std::string &path, const std::string &workingFolder) override {
        return record({"program", path, workingFolder});
    }

    std::vector<Call> calls;
    bool accept = true;

private:
    bool record(Call call) {
        calls.push_back(std::move(call));
        return accept;
    }
};

} // namespace quenlar::testing
