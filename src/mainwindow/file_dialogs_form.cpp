#include "mainwindow/file_dialogs_form.h"

#include <QDir>
#include <QEvent>

#include "startup/controls_widget.h"

namespace pellandor {
namespace {

// Moves a dialog to the middle of the screen once it has its size, just
// before it shows; a dialog placed by hand is not placed again by Qt.
class centre_when_shown : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            centre_on_screen(*static_cast<QWidget*>(watched));
        }
        return false;
    }
};

} // namespace

QString file_dialog_title(file_dialog_kind kind) {
    return kind == file_dialog_kind::open ? QStringLiteral("Select HEX File To Open")
                                          : QStringLiteral("Save Buffer As");
}

QStringList file_dialog_filters() {
#ifdef Q_OS_WIN
    const QString all_files = QStringLiteral("All files (*.*)");
#else
    // "*.*" would hide the names without a dot.
    const QString all_files = QStringLiteral("All files (*)");
#endif
    return {QStringLiteral("Intel HEX files (*.hex)"), all_files};
}

void prepare_file_dialog(QFileDialog& dialog, file_dialog_kind kind, const QString& folder) {
    dialog.setWindowTitle(file_dialog_title(kind));
    dialog.setNameFilters(file_dialog_filters());
    // Qt's own dialog on every platform: the platform's dialogs place
    // themselves, and this one opens in the middle of the screen like every
    // other dialog of the program.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (kind == file_dialog_kind::open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(QString());
    }
    dialog.setDirectory(folder);
    dialog.selectFile(QString());
}

std::string qt_file_dialogs::show_open(const std::string& folder) {
    return show(file_dialog_kind::open, folder);
}

std::string qt_file_dialogs::show_save(const std::string& folder) {
    return show(file_dialog_kind::save, folder);
}

std::string qt_file_dialogs::show(file_dialog_kind kind, const std::string& folder) {
    QFileDialog dialog;
    prepare_file_dialog(dialog, kind, to_qstring(folder));
    centre_when_shown centring;
    dialog.installEventFilter(&centring);
    if (dialog.exec() != QDialog::Accepted) {
        return std::string();
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::string();
    }
    return from_qstring(QDir::toNativeSeparators(chosen.first()));
}

} // namespace pellandor
