#ifndef VELMORA_TESTS_PROVIDERFIXTURE_H
#define VELMORA_TESTS_PROVIDERFIXTURE_H

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/ProviderHost.h"

// Each test starts with a fresh ProviderHost (see there).
class ProviderTest : public testing::Test {
protected:
    void SetUp() override
    {
        host = std::make_unique<ProviderHost>();
        ASSERT_TRUE(host->loaded) << host->error;
    }

    std::unique_ptr<ProviderHost> host;
};

#endif
