// Which device stands behind COM1 to COM16. On Windows the port names
// themselves; elsewhere an entry of the user's ports folder, or a fixed
// default for the usual built-in, USB and CDC serial devices.
#pragma once

#include <QString>

namespace pellandor {

// Where the COM entries live: "ports" inside the program's configuration folder.
QString ports_folder();

// The device of COM`number`, 1 to 16; an empty text for any other number or
// an entry that names nothing.
QString com_port_device(int number);

} // namespace pellandor
