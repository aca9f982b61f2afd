#pragma once

#include "Sandbox.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

#include <string>

// A sandboxed test that writes many small files, each under a name of its own.
class NumberedFilesTest : public SandboxTest
{
protected:
    std::wstring file(const QByteArray &contents)
    {
        const QString path = sandbox.base() + QStringLiteral("/file%1").arg(++m_count);
        EXPECT_TRUE(sandbox.writeFile(path, contents));
        return path.toStdWString();
    }

private:
    int m_count = 0;
};
