#pragma once
// The program's export directory: module "pbhanzel.exe", every event routine
// and registration routine by ordinal and name, as the runtime looks them up.
#include "vm_abi.h"

namespace hanzel {

extern const pbvm::ExportDirectory g_exportDirectory;

}  // namespace hanzel
