#include "collection.h"

#include "err.h"
#include "utf8.h"

namespace vb {

std::size_t Collection::positionOf(const Variant& index) const {
    if (index.Type() == VarType::String) {
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].hasKey && utf8::CompareNoCase(entries_[i].key, index.rawString()) == 0) return i;
        RaiseError(errors::InvalidProcedureCall);
    }
    if (index.IsEmpty() || index.IsObject() || index.IsArray()) RaiseError(errors::InvalidProcedureCall);
    std::int32_t position = index.ToLong();
    if (position < 1 || position > Count()) RaiseError(errors::SubscriptOutOfRange);
    return static_cast<std::size_t>(position - 1);
}

void Collection::Add(const Variant& item, const Variant& key, const Variant& before, const Variant& after) {
    Entry entry{item, {}, false};
    if (!key.IsEmpty()) {
        if (key.Type() != VarType::String) RaiseError(errors::TypeMismatch);
        for (const auto& e : entries_)
            if (e.hasKey && utf8::CompareNoCase(e.key, key.rawString()) == 0)
                RaiseError(errors::DuplicateCollectionKey);
        entry.key = key.rawString();
        entry.hasKey = true;
    }
    if (!before.IsEmpty() && !after.IsEmpty()) RaiseError(errors::InvalidProcedureCall);
    std::size_t at = entries_.size();
    if (!before.IsEmpty()) at = positionOf(before);
    else if (!after.IsEmpty()) at = positionOf(after) + 1;
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

Variant Collection::Item(const Variant& index) const { return entries_[positionOf(index)].item; }

void Collection::Remove(const Variant& index) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(positionOf(index)));
}

Variant Collection::GetMember(const std::string& name) {
    if (utf8::CompareNoCase(name, "Count") == 0) return Variant(static_cast<int>(Count()));
    return Object::GetMember(name);
}

Variant Collection::CallMember(const std::string& name, const std::vector<Variant>& args) {
    auto is = [&](const char* n) { return utf8::CompareNoCase(name, n) == 0; };
    auto arg = [&](std::size_t i) { return i < args.size() ? args[i] : Variant(); };
    if (is("Count")) return Variant(static_cast<int>(Count()));
    if (is("Item")) {
        if (args.empty()) RaiseError(errors::ArgumentNotOptional);
        return Item(args[0]);
    }
    if (is("Add")) {
        if (args.empty()) RaiseError(errors::ArgumentNotOptional);
        Add(args[0], arg(1), arg(2), arg(3));
        return {};
    }
    if (is("Remove")) {
        if (args.empty()) RaiseError(errors::ArgumentNotOptional);
        Remove(args[0]);
        return {};
    }
    return Object::CallMember(name, args);
}

}  // namespace vb
