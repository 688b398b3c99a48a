#pragma once
// clsManageMain: the logic of the main window. One instance per window; the
// window's handlers pass the window itself as frmTarget.
#include <cstdint>
#include <memory>
#include <string>

#include "variant.h"

namespace dao {
class Recordset;
}
namespace forms {
class Node;
}

namespace catalogue {

class frmMain;

class clsManageMain : public vb::Object {
public:
    std::string TypeName() const override { return "clsManageMain"; }

    bool InitFinished() const { return initFinished_; }
    void InitFinished(bool value) { initFinished_ = value; }

    // Shows the frame of the selected tab.
    void TabClick(frmMain& frmTarget);
    // Shows the existing orders of the logged-in customer, modally.
    void ViewExistingOrders(frmMain& frmTarget);
    // Prepares the window and fills the tree.
    void InitMainForm(frmMain& frmTarget);
    // After a question, deletes every order and customer and reports the
    // count in the status bar. Errors reach the caller.
    void ClearReservations(frmMain& frmTarget);
    // The Admin menu: 1 the customers grid, 2 the orders grid, 3 the
    // inventory program of the same build; other values do nothing.
    // Unexpected errors are reported here.
    void AdminTable(frmMain& frmTarget, std::int16_t Index);
    // A composer opened: fills it when it holds only a placeholder.
    void NodeExpand(frmMain& frmTarget, forms::Node& Node);
    // Shows the album of the selected composition.
    void NodeClick(frmMain& frmTarget, forms::Node& Node);
    // Adds the compositions of one composer under its node.
    void FillParticularComposer(const std::string& composer, frmMain& frmTarget);
    // Fills the whole tree and shows the first album.
    void FillTreeView(frmMain& frmTarget);
    // Makes the album picture and the tab strip usable.
    void SetupParameterizedQueries(frmMain& frmTarget);

private:
    bool initFinished_ = false;
    std::shared_ptr<dao::Recordset> composers_;
    bool setUp_ = false;
};

// The tree key of a product: "P" and the product number as Str gives it
// (product 12: "P 12").
std::string ProductNodeKey(const vb::Variant& productId);

}  // namespace catalogue
