#include "keymap/HostAction.h"

#include "keymap/AssignmentCategory.h"
#include "keymap/Utf16.h"

namespace quenlar {

HostActionTarget splitActionPath(const std::string &path) {
    const auto separator = path.rfind('/');
    if (separator == std::string::npos)
        return {path, {}};
    return {path.substr(0, separator), path.substr(separator + 1)};
}

HostActionOutcome runHostAction(uint32_t code, const HostKeyRecords &records, HostShell &shell) {
    const auto key = static_cast<uint8_t>(code & 0xFF);
    for (const HostKeyRecord &record : records) {
        if (!isHostAction(record.category) || record.virtualKey != key)
            continue;
        const HostActionTarget target = splitActionPath(utf16ToUtf8(record.actionPathText()));
        if (target.fileName.empty())
            return HostActionOutcome::NothingToOpen;
        const std::string full = target.folder + "/" + target.fileName;
        bool accepted = false;
        switch (static_cast<AssignmentCategory>(record.category)) {
        case AssignmentCategory::Startup:
            accepted = shell.startProgram(full, target.folder.empty() ? std::string("/") : target.folder);
            break;
        case AssignmentCategory::OpenFolder:
            accepted = shell.openFolder(full);
            break;
        default:
            accepted = shell.openDocument(full);
            break;
        }
        return accepted ? HostActionOutcome::Started : HostActionOutcome::Failed;
    }
    return HostActionOutcome::NoRecord;
}

} // namespace quenlar
