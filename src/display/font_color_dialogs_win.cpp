#include "display/font_color_dialogs_win.h"

// After the window headers, which these need.
#include <cderr.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>

#include "display/color_ref_win.h"
#include "display/log_font_win.h"
#include "platform/common_dialogs_win.h"
#include "platform/user_error.h"
#include "platform/window_base_win.h"

namespace orvane {
namespace {

template <typename Function>
Function RequiredDialogFunction(const char* name) {
  Function found = CommonDialogFunction<Function>(name);
  if (!found) throw UserError(u"The common dialogs cannot be loaded");
  return found;
}

DWORD LastDialogError() {
  static const auto extendedError =
      RequiredDialogFunction<decltype(&::CommDlgExtendedError)>("CommDlgExtendedError");
  return extendedError();
}

std::u16string FontDialogFailure(DWORD code) {
  if (code == CFERR_NOFONTS) return u"The font dialog found no fonts to list";
  std::u16string text = u"The font dialog could not be shown (error 0x";
  for (int shift = 12; shift >= 0; shift -= 4) text += u"0123456789ABCDEF"[(code >> shift) & 0xF];
  return text + u")";
}

}  // namespace

// One showing of the font dialog: which boxes the user has changed so far.
// The dialog has filled its boxes before its hook learns of the session: the
// commands it sent itself meanwhile never count as the user's changes.
struct FontDialog::Session : WindowBase<Session, WindowKind::HookedDialog> {
  Session(FontDialog& self, const ApplyHandler& onApply) : self(self), onApply(onApply) {}

  FontDialog& self;
  const ApplyHandler& onApply;
  bool faceChanged = false;
  bool scriptChanged = false;
  bool colorChanged = false;

  static Session* FromInitParam(LPARAM lParam) noexcept {
    return reinterpret_cast<Session*>(reinterpret_cast<const CHOOSEFONTW*>(lParam)->lCustData);
  }

  UINT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND) return FALSE;
    const WORD code = HIWORD(wParam);
    switch (LOWORD(wParam)) {
      case cmb1:  // face
        if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) faceChanged = true;
        break;
      case cmb5:  // script
        if (code == CBN_SELCHANGE) scriptChanged = true;
        break;
      case cmb4:  // colour
        if (code == CBN_SELCHANGE) colorChanged = true;
        break;
      case psh3:  // Apply
        if (code == BN_CLICKED) {
          Apply();
          return TRUE;
        }
        break;
      default:
        break;
    }
    return FALSE;
  }

  // A failed Apply is reported over the dialog, which stays open.
  static UINT_PTR AfterFailure() noexcept { return TRUE; }

  void Apply() {
    LOGFONTW shown{};
    ::SendMessageW(hwnd_, WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(&shown));
    // The colour box's current entry, when it has one; its item data is the colour.
    HWND colorBox = ::GetDlgItem(hwnd_, cmb4);
    LRESULT entry = colorBox ? ::SendMessageW(colorBox, CB_GETCURSEL, 0, 0) : CB_ERR;
    Color color = entry == CB_ERR
                      ? 0
                      : static_cast<Color>(::SendMessageW(colorBox, CB_GETITEMDATA, entry, 0));
    self.font =
        TakeFromDialog(self.font, FromLogFont(shown), color, {scriptChanged, entry != CB_ERR});
    if (onApply) onApply(self.font);
  }
};

bool FontDialog::Execute(HWND owner, HDC printerInfo, const ApplyHandler& onApply) {
  static const auto chooseFont = RequiredDialogFunction<decltype(&::ChooseFontW)>("ChooseFontW");
  LOGFONTW logFont = ToLogFont(DialogRecord(font));
  Session session{*this, onApply};
  CHOOSEFONTW choose{sizeof choose};
  choose.hwndOwner = owner;
  choose.hDC = printerInfo;
  choose.lpLogFont = &logFont;
  choose.Flags = CF_BOTH | CF_FORCEFONTEXIST | CF_NOVECTORFONTS | CF_ANSIONLY | CF_EFFECTS |
                 CF_APPLY | CF_ENABLEHOOK | CF_INITTOLOGFONTSTRUCT;
  choose.rgbColors = ToColorRef(font.color);
  choose.lCustData = reinterpret_cast<LPARAM>(&session);
  choose.lpfnHook = &Session::Procedure;
  if (!chooseFont(&choose)) {
    if (DWORD error = LastDialogError()) throw UserError(FontDialogFailure(error));
    return false;  // Cancel: what an Apply set stays
  }
  font = TakeFromDialog(font, FromLogFont(logFont), choose.rgbColors,
                        {session.faceChanged || session.scriptChanged, session.colorChanged});
  return true;
}

bool ColorDialog::Execute(HWND owner) {
  static const auto chooseColor = RequiredDialogFunction<decltype(&::ChooseColorW)>("ChooseColorW");
  // A copy, stored back only on OK.
  std::array<COLORREF, 16> custom = custom_;
  CHOOSECOLORW choose{sizeof choose};
  choose.hwndOwner = owner;
  choose.rgbResult = ToColorRef(color);
  choose.lpCustColors = custom.data();
  choose.Flags = CC_FULLOPEN | CC_RGBINIT;
  if (!chooseColor(&choose)) return false;
  color = choose.rgbResult;
  custom_ = custom;
  return true;
}

}  // namespace orvane
