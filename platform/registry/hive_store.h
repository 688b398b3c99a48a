#pragma once
// Reading and changing a hive file. Every change is a read-modify-write under
// an exclusive lock on the hive's lock file, and the file is replaced whole
// (temporary file, fsync, rename), so processes that change the same hive at
// the same time all keep their changes and a reader never sees half a file.
//
// Failures raise vb::VBError naming the file: 321 for a file that is not a
// complete registry file (it is then left exactly as it is), 70 when access is
// denied, 61 when the disk is full, 75 for any other read or write failure.
#include <functional>

#include "hive.h"
#include "key_tree.h"

namespace reg {

// The hive as it is on disk now; a missing file is an empty hive.
KeyNode LoadHive(Hive hive);

// Runs `change` on the current contents under the lock and writes the result
// back when it returns true. Returns what `change` returned. An exception
// from `change` leaves the file untouched.
bool UpdateHive(Hive hive, const std::function<bool(KeyNode&)>& change);

}  // namespace reg
