#include "display/placement_defaults.h"

namespace orvane {

int DefaultLeft(int workWidth, int windowWidth) { return (workWidth - windowWidth) / 2; }

int DefaultTop(int workHeight, int windowHeight, int clientHeight) {
  return (workHeight - windowHeight - clientHeight) / 2;
}

}  // namespace orvane
