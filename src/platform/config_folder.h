// The program's own folder under the user's configuration folder
// ($XDG_CONFIG_HOME, default ~/.config), where the settings file and the port
// mapping live on platforms without a registry.
#pragma once

#include <QString>

namespace pellandor {

// "<configuration folder>/Quillmere Pellandor", without a separator at its
// end; not created here.
QString program_config_folder();

} // namespace pellandor
