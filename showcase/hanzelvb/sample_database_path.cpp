#include "sample_database_path.h"

#include "app_object.h"

namespace hanzelvb {

std::string DefaultDatabasePath() { return vb::App().Path() + "/tavorin.mdb"; }

}  // namespace hanzelvb
