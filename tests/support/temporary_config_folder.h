// A configuration folder of the test's own: XDG_CONFIG_HOME points into a
// temporary folder for the object's life, so no test ever reads or writes the
// user's real settings.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

namespace pellandor::testing {

class temporary_config_folder {
public:
    // The configuration folder is `below` inside the temporary folder, not
    // created here when `below` is given.
    explicit temporary_config_folder(const QString& below = {})
        : had_old_(qEnvironmentVariableIsSet(variable)), old_(qgetenv(variable)),
          path_(below.isEmpty() ? dir_.path() : dir_.filePath(below)) {
        qputenv(variable, path_.toLocal8Bit());
    }
    ~temporary_config_folder() {
        if (had_old_) {
            qputenv(variable, old_);
        } else {
            qunsetenv(variable);
        }
    }
    temporary_config_folder(const temporary_config_folder&) = delete;
    temporary_config_folder& operator=(const temporary_config_folder&) = delete;

    const QString& path() const { return path_; }

private:
    static constexpr const char* variable = "XDG_CONFIG_HOME";
    QTemporaryDir dir_;
    bool had_old_;
    QByteArray old_;
    QString path_;
};

} // namespace pellandor::testing
