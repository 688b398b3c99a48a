#include "flexgrid_source_watch.h"

namespace forms {

RecordsetWatch::~RecordsetWatch() { Watch(nullptr); }

void RecordsetWatch::Watch(const std::shared_ptr<dao::Recordset>& recordset) {
    std::shared_ptr<dao::Recordset> old = watched_.lock();
    if (old == recordset) return;
    if (old) old->RemoveObserver(this);
    watched_ = recordset;
    moving_ = false;
    if (recordset) recordset->AddObserver(this);
}

bool RecordsetWatch::BeforeAction(int action) {
    // Moves, finds and a new record leave the rows as they are.
    moving_ = action == dao::vbDataActionMoveFirst || action == dao::vbDataActionMovePrevious ||
              action == dao::vbDataActionMoveNext || action == dao::vbDataActionMoveLast ||
              action == dao::vbDataActionAddNew || action == dao::vbDataActionFind ||
              action == dao::vbDataActionBookmark;
    return true;
}

void RecordsetWatch::CurrentRecordChanged(bool moved) {
    const bool onlyMoved = moved && moving_;
    moving_ = false;
    if (!onlyMoved && rowsChanged_) rowsChanged_();
}

}  // namespace forms
