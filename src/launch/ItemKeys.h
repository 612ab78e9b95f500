// Profile sections and keys of the launch items.
#pragma once

#include <string>

constexpr const char* kMenuSection = "Menu";
constexpr const char* kExecSection = "Exec";

// Decimal with no fixed width, so every item number makes its own key.
inline std::string menuItemKey(int item) { return "MenuItem" + std::to_string(item); }
inline std::string execItemKey(int item) { return "ExecItem" + std::to_string(item); }
