#pragma once
// What the program asks of the desktop to carry out a key's host action. The platform layer
// implements it (the desktop's default application for files and folders, a detached process
// for programs); tests implement it by recording the calls.
//
// Paths are UTF-8. Every call returns whether the desktop accepted the request; nothing waits
// for what was started.

#include <string>

namespace quenlar {

class HostShell {
public:
    virtual ~HostShell() = default;
    // A document or a sound, opened by the application the desktop associates with it.
    virtual bool openDocument(const std::string &path) = 0;
    // A folder, shown by the desktop's file manager.
    virtual bool openFolder(const std::string &path) = 0;
    // A program, started with workingFolder as its current folder.
    virtual bool startProgram(const std::string &path, const std::string &workingFolder) = 0;
};

} // namespace quenlar
