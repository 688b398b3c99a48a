// The objects every inventory form and data class shares.
#include <memory>

#include "c_database.h"
#include "c_table.h"
#include "dao.h"
#include "module_inventory.h"

namespace inventory::Inventory {

std::shared_ptr<dao::Database> gdbInventory;
std::string gsDataPath;

namespace {

struct SharedObjects {
    CDataBase database;
    CTable suppliers, products, po, transactions;
};

std::unique_ptr<SharedObjects>& Shared() {
    static std::unique_ptr<SharedObjects> shared;
    if (!shared) shared = std::make_unique<SharedObjects>();
    return shared;
}

}  // namespace

CDataBase& gobjDataBase() { return Shared()->database; }
CTable& gtblSuppliers() { return Shared()->suppliers; }
CTable& gtblProducts() { return Shared()->products; }
CTable& gtblPO() { return Shared()->po; }
CTable& gtblTransactions() { return Shared()->transactions; }

void ResetModuleState() {
    gdbInventory.reset();
    gsDataPath.clear();
    Shared().reset();
}

}  // namespace inventory::Inventory
