#include "platform/config_folder.h"

#include <QStandardPaths>

#include "startup/app_info.h"

namespace pellandor {

QString program_config_folder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
           QString::fromLatin1(app_title);
}

} // namespace pellandor
