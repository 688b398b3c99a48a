#pragma once
// Ending a transaction that an error interrupted.

namespace dao {
class Database;
}

namespace catalogue {

// Rolls back the pending transaction of `db` while an error is being
// handled: the error object keeps the error being handled, whatever the
// rollback meets.
void RollBackKeepingError(dao::Database& db);

}  // namespace catalogue
