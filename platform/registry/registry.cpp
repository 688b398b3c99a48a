#include "registry.h"

#include "err.h"
#include "hive_store.h"

namespace reg {

bool KeyExists(Hive hive, std::string_view path) {
    const auto names = SplitKeyPath(path);
    return LoadHive(hive).Descend(names) != nullptr;
}

bool CreateKey(Hive hive, std::string_view path) {
    const auto names = SplitKeyPath(path);
    return UpdateHive(hive, [&](KeyNode& root) {
        if (root.Descend(names)) return false;
        root.DescendOrCreate(names);
        return true;
    });
}

bool DeleteKey(Hive hive, std::string_view path) {
    auto names = SplitKeyPath(path);
    if (names.empty())
        throw vb::VBError(vb::errors::InvalidProcedureCall,
                          std::string("The hive ") + HiveName(hive) + " cannot be deleted");
    const std::string last = names.back();
    names.pop_back();
    return UpdateHive(hive, [&](KeyNode& root) {
        KeyNode* parent = root.Descend(names);
        return parent && parent->RemoveChild(last);
    });
}

std::vector<std::string> SubKeyNames(Hive hive, std::string_view path) {
    const auto names = SplitKeyPath(path);
    KeyNode root = LoadHive(hive);
    const KeyNode* key = root.Descend(names);
    return key ? key->ChildNames() : std::vector<std::string>{};
}

std::vector<std::string> ValueNames(Hive hive, std::string_view path) {
    const auto names = SplitKeyPath(path);
    KeyNode root = LoadHive(hive);
    std::vector<std::string> result;
    if (const KeyNode* key = root.Descend(names))
        for (const auto& [name, value] : key->values()) result.push_back(name);
    return result;
}

std::optional<Value> QueryValue(Hive hive, std::string_view path, std::string_view name) {
    const auto names = SplitKeyPath(path);
    KeyNode root = LoadHive(hive);
    const KeyNode* key = root.Descend(names);
    if (!key) return std::nullopt;
    const Value* value = key->Find(name);
    return value ? std::optional<Value>(*value) : std::nullopt;
}

void SetValue(Hive hive, std::string_view path, std::string_view name, const Value& value) {
    const auto names = SplitKeyPath(path);
    UpdateHive(hive, [&](KeyNode& root) {
        KeyNode& key = root.DescendOrCreate(names);
        const Value* old = key.Find(name);
        if (old && *old == value) return false;
        key.Set(name, value);
        return true;
    });
}

bool DeleteValue(Hive hive, std::string_view path, std::string_view name) {
    const auto names = SplitKeyPath(path);
    return UpdateHive(hive, [&](KeyNode& root) {
        KeyNode* key = root.Descend(names);
        return key && key->Remove(name);
    });
}

void SetText(Hive hive, std::string_view path, std::string_view name, std::string_view text) {
    SetValue(hive, path, name, Value::Text(std::string(text)));
}

void SetNumber(Hive hive, std::string_view path, std::string_view name, std::uint32_t number) {
    SetValue(hive, path, name, Value::Number(number));
}

}  // namespace reg
