#pragma once
// The web browser's keys of section "GENERAL" of the settings file.

#include <string_view>

namespace pemmaro::web_browser_settings {

inline constexpr std::string_view section = "GENERAL";

// Pages open in the program's own browser window, else the desktop's browser.
inline constexpr std::string_view use_integrated_web_browser = "Use Integrated Web Browser";
inline constexpr bool use_integrated_web_browser_default = true;
// One window is reused for every page.
inline constexpr std::string_view use_only_one_web_browser_window =
    "Use Only One Web Browser Window";
inline constexpr bool use_only_one_web_browser_window_default = true;

} // namespace pemmaro::web_browser_settings
