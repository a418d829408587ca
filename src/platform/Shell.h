#pragma once
// The desktop side of the host actions: files and folders open in the application the desktop
// associates with them (xdg-open), programs start as detached processes.

#include "keymap/HostShell.h"

namespace quenlar {

class DesktopShell final : public HostShell {
public:
    bool openDocument(const std::string &path) override;
    bool openFolder(const std::string &path) override;
    bool startProgram(const std::string &path, const std::string &workingFolder) override;
};

} // namespace quenlar
