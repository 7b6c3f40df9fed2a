#include "platform/user_error.h"

namespace orvane {

std::u16string WithFullStop(std::u16string_view message) {
  std::u16string text(message);
  if (text.empty() || text.back() > u'.') text += u'.';
  return text;
}

}  // namespace orvane
