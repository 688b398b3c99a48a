#pragma once
// The test control every form of the showcase carries as ZEVOTest1.
#include "test_control_class.h"

namespace hanzelvb {

using orvanta::kTestControlClass;

}  // namespace hanzelvb
