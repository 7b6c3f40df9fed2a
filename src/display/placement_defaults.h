#pragma once
// The window's bounds on a first start (no settings file, or keys missing).

namespace orvane {

// Centred across the work area, and raised by half a client height so that the
// text sits a little above the middle. Divisions truncate towards zero.
[[nodiscard]] int DefaultLeft(int workWidth, int windowWidth);
[[nodiscard]] int DefaultTop(int workHeight, int windowHeight, int clientHeight);

}  // namespace orvane
