#include "key_tree.h"

#include "err.h"
#include "utf8.h"

namespace reg {

Value Value::Bytes(std::string bytes, std::uint32_t type) {
    if (type != REG_DWORD) return Value{type, std::move(bytes), 0};
    // A 32-bit number given as its four bytes, low byte first.
    if (bytes.size() != 4)
        throw vb::VBError(vb::errors::InvalidProcedureCall, "A 32-bit registry number takes 4 bytes");
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(bytes[i]);
    return Number(n);
}

std::string FoldName(std::string_view name) { return vb::utf8::Fold(name); }

std::vector<std::string> SplitKeyPath(std::string_view path) {
    std::vector<std::string> names;
    if (path.empty()) return names;
    if (path.back() == '\\') path.remove_suffix(1);
    std::size_t start = 0;
    while (true) {
        std::size_t end = path.find('\\', start);
        std::string_view part = path.substr(start, end == std::string_view::npos ? end : end - start);
        if (part.empty())
            throw vb::VBError(vb::errors::InvalidProcedureCall,
                              "Invalid registry key path \"" + std::string(path) + "\"");
        names.emplace_back(part);
        if (names.size() > kMaxKeyDepth)
            throw vb::VBError(vb::errors::InvalidProcedureCall,
                              "Registry key path nested deeper than " + std::to_string(kMaxKeyDepth) + " keys");
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return names;
}

KeyNode KeyNode::Clone() const {
    KeyNode copy(name_);
    copy.values_ = values_;
    for (const auto& [folded, child] : children_)
        copy.children_.emplace(folded, std::make_unique<KeyNode>(child->Clone()));
    return copy;
}

KeyNode* KeyNode::Child(std::string_view name) {
    auto it = children_.find(FoldName(name));
    return it == children_.end() ? nullptr : it->second.get();
}

const KeyNode* KeyNode::Child(std::string_view name) const {
    auto it = children_.find(FoldName(name));
    return it == children_.end() ? nullptr : it->second.get();
}

KeyNode& KeyNode::ChildOrCreate(std::string_view name) {
    auto& slot = children_[FoldName(name)];
    if (!slot) slot = std::make_unique<KeyNode>(std::string(name));
    return *slot;
}

bool KeyNode::RemoveChild(std::string_view name) {
    return children_.erase(FoldName(name)) > 0;
}

std::vector<std::string> KeyNode::ChildNames() const {
    std::vector<std::string> names;
    names.reserve(children_.size());
    for (const auto& [folded, child] : children_) names.push_back(child->name_);
    return names;
}

std::vector<const KeyNode*> KeyNode::Children() const {
    std::vector<const KeyNode*> nodes;
    nodes.reserve(children_.size());
    for (const auto& [folded, child] : children_) nodes.push_back(child.get());
    return nodes;
}

std::vector<std::pair<std::string, Value>>::const_iterator KeyNode::findValue(std::string_view name) const {
    const std::string folded = FoldName(name);
    return std::find_if(values_.begin(), values_.end(),
                        [&](const auto& nv) { return FoldName(nv.first) == folded; });
}

const Value* KeyNode::Find(std::string_view name) const {
    auto it = findValue(name);
    return it == values_.end() ? nullptr : &it->second;
}

void KeyNode::Set(std::string_view name, Value value) {
    auto it = findValue(name);
    if (it == values_.end()) values_.emplace_back(std::string(name), std::move(value));
    else values_[static_cast<std::size_t>(it - values_.cbegin())].second = std::move(value);
}

bool KeyNode::Remove(std::string_view name) {
    auto it = findValue(name);
    if (it == values_.end()) return false;
    values_.erase(it);
    return true;
}

const KeyNode* KeyNode::Descend(const std::vector<std::string>& names) const {
    const KeyNode* node = this;
    for (const auto& n : names) {
        node = node->Child(n);
        if (!node) return nullptr;
    }
    return node;
}

KeyNode* KeyNode::Descend(const std::vector<std::string>& names) {
    return const_cast<KeyNode*>(static_cast<const KeyNode*>(this)->Descend(names));
}

KeyNode& KeyNode::DescendOrCreate(const std::vector<std::string>& names) {
    KeyNode* node = this;
    for (const auto& n : names) node = &node->ChildOrCreate(n);
    return *node;
}

bool KeyNode::operator==(const KeyNode& other) const {
    if (name_ != other.name_ || values_ != other.values_ || children_.size() != other.children_.size())
        return false;
    auto a = children_.begin();
    auto b = other.children_.begin();
    for (; a != children_.end(); ++a, ++b)
        if (a->first != b->first || !(*a->second == *b->second)) return false;
    return true;
}

}  // namespace reg
