#pragma once
// Internal: a tree node's key and text, kept together in one block of
// memory (a tree may hold a hundred thousand nodes).
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "err.h"

namespace forms::detail {

class NodeTexts {
public:
    std::string_view Key() const { return {data_.get(), keySize_}; }
    std::string_view Text() const { return {data_.get() + keySize_, textSize_}; }

    void Set(std::string_view key, std::string_view text) {
        if (key.size() > UINT32_MAX || text.size() > UINT32_MAX - key.size()) vb::RaiseError(7);
        std::unique_ptr<char[]> data;
        if (!key.empty() || !text.empty()) {
            data.reset(new char[key.size() + text.size()]);
            if (!key.empty()) std::memcpy(data.get(), key.data(), key.size());
            if (!text.empty()) std::memcpy(data.get() + key.size(), text.data(), text.size());
        }
        data_ = std::move(data);
        keySize_ = static_cast<std::uint32_t>(key.size());
        textSize_ = static_cast<std::uint32_t>(text.size());
    }

private:
    std::unique_ptr<char[]> data_;
    std::uint32_t keySize_ = 0;
    std::uint32_t textSize_ = 0;
};

}  // namespace forms::detail
