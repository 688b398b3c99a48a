#pragma once
// Tells a grid bound to a data control when the rows of the recordset it
// shows changed in place (run again, a record saved or deleted), as opposed
// to the current record only moving: the data control reports both alike.
#include <functional>
#include <memory>

#include "recordset.h"

namespace forms {

class RecordsetWatch : public dao::RecordsetObserver {
public:
    explicit RecordsetWatch(std::function<void()> rowsChanged) : rowsChanged_(std::move(rowsChanged)) {}
    ~RecordsetWatch() override;
    RecordsetWatch(const RecordsetWatch&) = delete;
    RecordsetWatch& operator=(const RecordsetWatch&) = delete;

    // Watches `recordset` (null: none) instead of the one before.
    void Watch(const std::shared_ptr<dao::Recordset>& recordset);

    bool BeforeAction(int action) override;
    void CurrentRecordChanged(bool moved) override;

private:
    std::function<void()> rowsChanged_;
    std::weak_ptr<dao::Recordset> watched_;
    bool moving_ = false;
};

}  // namespace forms
