// The forms under test carry the test control, which is not registered in
// these tests: a windowless placeholder stands in for it (the control and
// its hosting are tested with the forms runtime and the control itself).
#include <gtest/gtest.h>

#include "activex_host.h"
#include "test_control_class.h"

namespace {

struct TestControlStandIn : ::testing::Environment {
    void SetUp() override {
        forms::RegisterActiveXFactory(orvanta::kTestControlClass,
                                      [](forms::ActiveXHost&) { return std::unique_ptr<forms::ActiveXInstance>(); });
    }
};

[[maybe_unused]] ::testing::Environment* const standIn = ::testing::AddGlobalTestEnvironment(new TestControlStandIn);

}  // namespace
