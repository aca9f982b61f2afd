// The updater's tests run as the product does: every module manager gets a
// DlgDownload as its window, registered once as start-up registers it. The
// check's tests without widgets (tests/updater/headless) register none.

#include "DlgDownload.h"

#include <gtest/gtest.h>

namespace {

class DownloadWindowEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { DlgDownload::registerAsDownloadWindow(); }
};

const ::testing::Environment *const registered = ::testing::AddGlobalTestEnvironment(new DownloadWindowEnvironment);

} // namespace
