#pragma once

namespace orbis {
inline constexpr const char* kProgramName = "Orbis Velora";
inline constexpr const char* kVersionText = ORBIS_VERSION;
}  // namespace orbis
