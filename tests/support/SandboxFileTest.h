#pragma once

#include "Sandbox.h"

#include <string>

// A sandboxed test that reads and writes plain files by name in the sandbox's base folder.
class SandboxFileTest : public SandboxTest
{
protected:
    std::string Path(const std::string &name) const;
    // Writes the bytes as the whole file (the test fails when it cannot be created).
    void Write(const std::string &name, const std::string &bytes) const;
    // The whole file, or "<missing>" when it cannot be opened.
    std::string Read(const std::string &name) const;
};
