#include "SandboxFileTest.h"

#include <cstdio>

std::string SandboxFileTest::Path(const std::string &name) const
{
    return sandbox.base().toStdString() + "/" + name;
}

void SandboxFileTest::Write(const std::string &name, const std::string &bytes) const
{
    FILE *f = std::fopen(Path(name).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string SandboxFileTest::Read(const std::string &name) const
{
    FILE *f = std::fopen(Path(name).c_str(), "rb");
    if (!f)
        return "<missing>";
    std::string bytes;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, n);
    std::fclose(f);
    return bytes;
}
