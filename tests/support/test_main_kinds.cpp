#include <gtest/gtest.h>

#include "all_kinds.h"

namespace {

// Every test program holds whole documents, so the kinds are registered
// before any test runs.
class CRegisterKinds : public ::testing::Environment {
public:
    void SetUp() override { plexion::RegisterAllResourceKinds(); }
};

const auto* const kRegistration = ::testing::AddGlobalTestEnvironment(new CRegisterKinds);

}  // namespace
