#pragma once
// Internal: colours as the programs give them (&HBBGGRR); -1 and the
// system colours (high bit set) leave the widget's own colour.
#include <cstdint>

#include <QColor>

namespace forms::detail {

inline bool IsOwnColor(std::int32_t c) { return c >= 0; }

inline QColor ColorFromVB(std::int32_t c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace forms::detail
