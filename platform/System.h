#pragma once

// Which system the program was built for, as a constant that shared code and tests can test
// without the preprocessor. CMake defines TARNEL_ON_WINDOWS for every target.
namespace platform {
inline constexpr bool kOnWindows = TARNEL_ON_WINDOWS != 0;
} // namespace platform
