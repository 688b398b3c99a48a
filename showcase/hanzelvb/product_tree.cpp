#include "product_tree.h"

#include <string>

#include "treeview.h"

namespace hanzelvb {

const std::vector<ProductTreeNode>& ProductTreeNodes() {
    static const std::vector<ProductTreeNode> nodes = {
        {"R", "Star Distributing Co.", ""},
        {"WidgetDiv", "Widget Division", "R"},
        {"Widget", "Widget", "WidgetDiv"},
        {"Mini-Widget", "Mini-Widget", "WidgetDiv"},
        {"Super-Widget", "Super-Widget", "WidgetDiv"},
        {"GizmoDiv", "Gizmo Division", "R"},
        {"Gizmo", "Gizmo", "GizmoDiv"},
        {"GizmoDeluxe", "Gizmo Deluxe", "GizmoDiv"},
        {"ThingDiv", "Thing Division", "R"},
        {"ThingClassic", "Thing Classic", "ThingDiv"},
        {"NewThing", "New Thing", "ThingDiv"},
        {"ServiceDiv", "Service Division", "R"},
        {"CorporateTraining", "Corporate Training", "ServiceDiv"},
        {"NetworkServices", "Network Services", "ServiceDiv"},
    };
    return nodes;
}

void FillProductTree(forms::TreeView& tree) {
    for (const ProductTreeNode& node : ProductTreeNodes()) {
        const vb::Variant relative = node.parentKey.empty() ? vb::Variant() : vb::Variant(std::string(node.parentKey));
        const int relationship = node.parentKey.empty() ? forms::tvwLast : forms::tvwChild;
        tree.Nodes().Add(relative, relationship, std::string(node.key), std::string(node.text));
    }
}

bool IsCompanyOrDivision(std::string_view text) {
    for (std::string_view name :
         {"Star Distributing Co.", "Widget Division", "Gizmo Division", "Thing Division", "Service Division"}) {
        if (text == name) return true;
    }
    return false;
}

}  // namespace hanzelvb
