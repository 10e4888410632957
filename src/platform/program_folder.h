// Where the running program file lies.
#pragma once

#include <string>

namespace pellandor {

// The executable's folder as `app_path`: native separators, one at the end,
// lower-cased on Windows only. Needs the QCoreApplication to exist.
std::string program_app_path();

} // namespace pellandor
