#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>

#include "startup/app_path.h"

namespace pellandor {

std::string program_app_path() {
#ifdef Q_OS_WIN
    constexpr bool file_names_ignore_case = true;
#else
    constexpr bool file_names_ignore_case = false;
#endif
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    return make_app_path(folder.toLocal8Bit().toStdString(), QDir::separator().toLatin1(),
                         file_names_ignore_case);
}

} // namespace pellandor
