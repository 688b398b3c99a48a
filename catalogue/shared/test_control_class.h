#pragma once
// The test control that every form of the catalogue and inventory programs
// carries as ZEVOTest1.

namespace orvanta {

// Class name under which the forms runtime creates the test control.
inline constexpr const char* kTestControlClass = "ZEVOTestObjectsCtl.ZEVOTest";

}  // namespace orvanta
