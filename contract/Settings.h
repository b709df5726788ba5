#pragma once
// The registry key of the host's settings under HKEY_CURRENT_USER, which tip modules read
// too: the value BSControl (an integer; 0 keeps a tip's window enabled on a system it is
// not valid for).
namespace Settings {

inline constexpr char kKey[] = "SOFTWARE\\Kelvamo\\Sorvanti";
inline constexpr char kBSControl[] = "BSControl";

} // namespace Settings
