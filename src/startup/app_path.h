// The program folder as the rest of the program uses it: the place of the
// device list and the first folder of the file dialogs.
#pragma once

#include <string>

namespace pellandor {

// The folder with the separator at its end (never a second one). Lower-cased
// as a whole only where file names ignore case; elsewhere that would name
// another folder. Only ASCII letters change, so multi-byte names stay intact.
std::string make_app_path(std::string folder, char separator, bool lower_case);

} // namespace pellandor
