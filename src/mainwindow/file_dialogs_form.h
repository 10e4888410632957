// The open and save dialogs of the HEX file commands over the platform's file
// dialog, with the titles and file types the commands have always shown.
#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include <string>

#include "mainwindow/file_dialog_host.h"

namespace pellandor {

// Which of the two dialogs.
enum class file_dialog_kind { open, save };

// "Select HEX File To Open" or "Save Buffer As".
QString file_dialog_title(file_dialog_kind kind);
// HEX files first, then every file.
QStringList file_dialog_filters();

// Sets a dialog up as the command's dialog starting in the folder, with an
// empty file name. The save dialog neither asks before replacing a file (the
// command asks its own question) nor adds an extension.
void prepare_file_dialog(QFileDialog& dialog, file_dialog_kind kind, const QString& folder);

class qt_file_dialogs : public file_dialog_host {
public:
    std::string show_open(const std::string& folder) override;
    std::string show_save(const std::string& folder) override;

private:
    // The chosen full path in native separators and 8-bit text, "" on cancel.
    static std::string show(file_dialog_kind kind, const std::string& folder);
};

} // namespace pellandor
