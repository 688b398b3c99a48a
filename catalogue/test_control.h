#pragma once
// The test control every form of the catalogue carries.
#include "test_control_class.h"

namespace catalogue {

using orvanta::kTestControlClass;

}  // namespace catalogue
