#include "platform/global_memory_win.h"

#include <cstring>

namespace orvane {

UniqueGlobal GlobalFromBytes(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return {};
  UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  void* p = memory ? ::GlobalLock(memory.get()) : nullptr;
  if (!p) return {};
  std::memcpy(p, bytes.data(), bytes.size());
  ::GlobalUnlock(memory.get());
  return memory;
}

std::vector<std::uint8_t> BytesOf(HGLOBAL memory) {
  if (!memory) return {};
  const auto* p = static_cast<const std::uint8_t*>(::GlobalLock(memory));
  if (!p) return {};
  std::vector<std::uint8_t> bytes(p, p + ::GlobalSize(memory));
  ::GlobalUnlock(memory);
  return bytes;
}

}  // namespace orvane
