#pragma once
// The numbers of the program message box (dialog 249).

namespace kavo9::messagebox {

inline constexpr int kDialog = 249;
inline constexpr int kIcon = 298;
inline constexpr int kMessage = 3216;
inline constexpr int kOk = 1;

}  // namespace kavo9::messagebox
