#pragma once
// The core's font record as the platform's LOGFONTW, and back.

#include <algorithm>

#include "display/font_fit.h"
#include "platform/sdk_win.h"

namespace orvane {

inline LOGFONTW ToLogFont(const FontRecord& r) noexcept {
  LOGFONTW lf{};
  lf.lfHeight = r.height;
  lf.lfWidth = r.width;
  lf.lfEscapement = r.escapement;
  lf.lfOrientation = r.orientation;
  lf.lfWeight = r.weight;
  lf.lfItalic = r.italic;
  lf.lfUnderline = r.underline;
  lf.lfStrikeOut = r.strikeOut;
  lf.lfCharSet = r.charSet;
  lf.lfOutPrecision = r.outPrecision;
  lf.lfClipPrecision = r.clipPrecision;
  lf.lfQuality = r.quality;
  lf.lfPitchAndFamily = r.pitchAndFamily;
  std::copy(r.faceName.begin(), r.faceName.end(), lf.lfFaceName);
  return lf;
}

inline FontRecord FromLogFont(const LOGFONTW& lf) noexcept {
  FontRecord r;
  r.height = lf.lfHeight;
  r.width = lf.lfWidth;
  r.escapement = lf.lfEscapement;
  r.orientation = lf.lfOrientation;
  r.weight = lf.lfWeight;
  r.italic = lf.lfItalic;
  r.underline = lf.lfUnderline;
  r.strikeOut = lf.lfStrikeOut;
  r.charSet = lf.lfCharSet;
  r.outPrecision = lf.lfOutPrecision;
  r.clipPrecision = lf.lfClipPrecision;
  r.quality = lf.lfQuality;
  r.pitchAndFamily = lf.lfPitchAndFamily;
  std::copy(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), r.faceName.begin());
  return r;
}

}  // namespace orvane
