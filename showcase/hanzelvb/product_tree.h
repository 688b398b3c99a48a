#pragma once
// The company tree of the samples form: the company, its four divisions and
// their products, in the order they are added.
#include <string_view>
#include <vector>

namespace forms {
class TreeView;
}

namespace hanzelvb {

struct ProductTreeNode {
    std::string_view key;
    std::string_view text;
    std::string_view parentKey;  // empty for the company at the top
};

const std::vector<ProductTreeNode>& ProductTreeNodes();

// Adds every node of the company tree to `tree`, each below its parent.
void FillProductTree(forms::TreeView& tree);

// Whether a node's text names the company or one of its divisions rather
// than a product.
bool IsCompanyOrDivision(std::string_view text);

}  // namespace hanzelvb
