#include "transaction_rollback.h"

#include "dao.h"
#include "err.h"

namespace catalogue {

void RollBackKeepingError(dao::Database& db) {
    const vb::ErrObject handled = vb::Err();
    vb::ResumeNext([&] { db.Rollback(); });
    vb::Err() = handled;
}

}  // namespace catalogue
