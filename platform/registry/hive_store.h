#pragma once
// Reading and changing a hive file. Every change is a read-modify-write under
// an exclusive lock on the hive's lock file, and the file is replaced whole
// (temporary file, fsync, rename), so processes that change the same hive at
// the same time all keep their changes and a reader never sees half a file.
//
// A writer that dies between writing its temporary file and renaming it
// leaves the file behind ("<hive file>.tmp.<pid>.<n>"); the next writer of the
// hive removes those of processes that no longer run.
//
// Failures raise vb::VBError naming the file: 321 for a file that is not a
// complete registry file (it is then left exactly as it is), 70 when access is
// denied, 61 when the disk is full, 75 for any other read or write failure.
#include <functional>
#include <memory>

#include "hive.h"
#include "key_tree.h"

namespace reg {

// The hive as it is on disk now; a missing file is an empty hive.
KeyNode LoadHive(Hive hive);

// Runs `change` on the current contents under the lock and writes the result
// back when it returns true. Returns what `change` returned. An exception
// from `change` leaves the file untouched.
bool UpdateHive(Hive hive, const std::function<bool(KeyNode&)>& change);

// Many changes of one hive written as one. While a transaction is open on a
// thread, LoadHive and UpdateHive of its hive on that thread read and change
// a copy held under the hive's lock (other writers wait; other readers see
// the file as it was). Commit writes the copy once, so a reader finds the
// hive as it was before all the changes or after all of them, never in
// between. A transaction that ends without Commit writes nothing. One opened
// while another of the same hive is open on the thread joins it: only the
// outermost one writes. Use a transaction on the thread that opened it.
class HiveTransaction {
public:
    // Takes the lock and reads the hive; raises the errors of UpdateHive.
    explicit HiveTransaction(Hive hive);
    ~HiveTransaction();
    HiveTransaction(const HiveTransaction&) = delete;
    HiveTransaction& operator=(const HiveTransaction&) = delete;

    // Writes the changes (when there are any) and releases the lock; raises
    // the write errors of UpdateHive, leaving the transaction open.
    void Commit();

    struct State;

private:
    std::unique_ptr<State> state_;  // null when joined to an outer transaction
};

}  // namespace reg
