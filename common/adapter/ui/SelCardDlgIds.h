#pragma once
// Control numbers of the adapter selection dialog; each control's object name is its number.

namespace kavo9::sel_card_dlg {

inline constexpr int IDD_SELECT_CARD = 146;
inline constexpr int IDOK = 1;
inline constexpr int IDC_STATIC_HEADING = 1201;
inline constexpr int IDC_COMBO_CARD = 1202;
inline constexpr int IDC_EDIT_DESCRIPTION = 1203;
inline constexpr int IDC_EDIT_HARDWARE_ID = 1204;
inline constexpr int IDC_EDIT_LOCATION = 1205;
inline constexpr int IDC_EDIT_MANUFACTURER = 1206;

}  // namespace kavo9::sel_card_dlg
