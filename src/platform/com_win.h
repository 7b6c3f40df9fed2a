#pragma once
// COM for the shell files: interface pointers and task memory owned, and a
// failed HRESULT turned into the user's error at the call.

#include "platform/sdk_win.h"

// After the window headers, which they need.
#include <objbase.h>

#include <string_view>

#include "platform/user_error.h"
#include "platform/com_ptr.h"
#include "platform/files_win.h"
#include "platform/unique_handle.h"

namespace orvane {

struct FreeTaskMemory {
  void operator()(void* memory) const noexcept { ::CoTaskMemFree(memory); }
};
// Memory a COM call hands over (item-id lists, path strings).
template <typename T>
using UniqueTaskMemory = unique_handle<T, FreeTaskMemory>;

// Raises the platform's text for a failed result.
inline void ThrowIfFailed(HRESULT result) {
  if (FAILED(result)) throw UserError(SystemErrorText(static_cast<unsigned long>(result)));
}

}  // namespace orvane
