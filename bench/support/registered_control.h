#pragma once
// The benchmarks run the programs' real forms, which host the test control:
// this registers the control from the program folder into the registry in
// force (point ORVANTA_REGISTRY_DIR at a temporary folder first), as the
// setup does. Returns false, having said why on stderr, when it cannot.
namespace bench {

bool RegisterTestControl();

}  // namespace bench
