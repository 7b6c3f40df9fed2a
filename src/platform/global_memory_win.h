#pragma once
// Movable global memory, the form in which dialogs and the clipboard take and
// hand back their records.

#include <cstdint>
#include <vector>

#include "platform/handles_win.h"

namespace orvane {

// A copy of the bytes in new global memory; nothing for no bytes, or when
// the memory cannot be had.
[[nodiscard]] UniqueGlobal GlobalFromBytes(const std::vector<std::uint8_t>& bytes);

// The bytes of global memory, whole; none for none.
[[nodiscard]] std::vector<std::uint8_t> BytesOf(HGLOBAL memory);

}  // namespace orvane
