#pragma once
// The in-memory form of one hive: a tree of keys, each with named values.
// Key and value names compare without regard to case and keep the case they
// were first written with.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace reg {

// Value types, numbered as the registry numbers them.
constexpr std::uint32_t REG_NONE = 0;
constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_BINARY = 3;
constexpr std::uint32_t REG_DWORD = 4;

// A typed value. Text values keep their text; 32-bit numbers their number;
// every other type keeps its raw bytes.
struct Value {
    std::uint32_t type = REG_SZ;
    std::string data;          // REG_SZ: the text; other types but REG_DWORD: the bytes
    std::uint32_t number = 0;  // REG_DWORD

    static Value Text(std::string text) { return Value{REG_SZ, std::move(text), 0}; }
    static Value Number(std::uint32_t n) { return Value{REG_DWORD, {}, n}; }
    // Raw bytes of any type; for REG_DWORD exactly four, low byte first
    // (else error 5), which make the number.
    static Value Bytes(std::string bytes, std::uint32_t type = REG_BINARY);

    bool operator==(const Value&) const = default;
};

// The name folded for comparison (Unicode case folding of UTF-8 text).
std::string FoldName(std::string_view name);

// The deepest a key may lie below its hive, as in the registry itself.
constexpr std::size_t kMaxKeyDepth = 512;

// Splits "A\B\C" into its key names. A trailing "\" is allowed; an empty name
// inside the path (leading "\", "\\") or more than kMaxKeyDepth names raise
// error 5.
std::vector<std::string> SplitKeyPath(std::string_view path);

class KeyNode {
public:
    explicit KeyNode(std::string name = {}) : name_(std::move(name)) {}
    KeyNode(KeyNode&&) = default;
    KeyNode& operator=(KeyNode&&) = default;

    // A deep copy: this key with everything below it.
    KeyNode Clone() const;

    const std::string& name() const { return name_; }

    // Subkeys, ordered by folded name.
    KeyNode* Child(std::string_view name);
    const KeyNode* Child(std::string_view name) const;
    KeyNode& ChildOrCreate(std::string_view name);
    bool RemoveChild(std::string_view name);  // with everything below it
    std::vector<std::string> ChildNames() const;
    std::vector<const KeyNode*> Children() const;

    // Values in the order they were first set. "" names the default value.
    const Value* Find(std::string_view name) const;
    void Set(std::string_view name, Value value);  // keeps an existing name's case
    bool Remove(std::string_view name);
    const std::vector<std::pair<std::string, Value>>& values() const { return values_; }

    // The key at `names` below this one; null when a key on the way is missing.
    const KeyNode* Descend(const std::vector<std::string>& names) const;
    KeyNode* Descend(const std::vector<std::string>& names);
    KeyNode& DescendOrCreate(const std::vector<std::string>& names);

    bool operator==(const KeyNode& other) const;

private:
    // The value of that name; values_.end() when there is none.
    std::vector<std::pair<std::string, Value>>::const_iterator findValue(std::string_view name) const;

    std::string name_;
    std::map<std::string, std::unique_ptr<KeyNode>> children_;  // by folded name
    std::vector<std::pair<std::string, Value>> values_;
};

}  // namespace reg
