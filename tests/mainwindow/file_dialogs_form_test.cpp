#include "mainwindow/file_dialogs_form.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "startup/controls_widget.h"
#include "support/modal_answer.h"
#include "support/window_wait.h"

namespace pellandor {
namespace {

using testing::when_modal_opens;

// Types a name into the dialog's file name field, as a person would.
void type_file_name(QFileDialog& dialog, const QString& name) {
    auto* field = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(field, nullptr);
    field->clear();
    QTest::keyClicks(field, name);
}

// Presses Open or Save; a dialog that refuses the name is cancelled, so that a
// failing test ends instead of waiting.
void accept_or_give_up(QFileDialog& dialog) {
    static_cast<QDialog&>(dialog).accept(); // QFileDialog's own checks run
    if (dialog.isVisible()) {
        dialog.reject();
    }
}

TEST(FileDialogs, OpenAndSaveAreSetUpAsTheCommandsNeedThem) {
    QFileDialog open;
    prepare_file_dialog(open, file_dialog_kind::open, QDir::tempPath());
    EXPECT_EQ(open.windowTitle(), "Select HEX File To Open");
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open.nameFilters().value(0), "Intel HEX files (*.hex)");
    EXPECT_EQ(open.directory(), QDir(QDir::tempPath()));

    QFileDialog save;
    prepare_file_dialog(save, file_dialog_kind::save, QDir::tempPath());
    EXPECT_EQ(save.windowTitle(), "Save Buffer As");
    EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(save.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(save.defaultSuffix().isEmpty());
#ifndef Q_OS_WIN
    // A pattern with a dot would hide names without one.
    EXPECT_EQ(save.nameFilters(), QStringList({"Intel HEX files (*.hex)", "All files (*)"}));
#endif
}

TEST(FileDialogs, ChosenFileComesBackAsANativeFullPathAndCancelAsEmpty) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("blink.hex");
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    qt_file_dialogs dialogs;

    // What a dialog shown by `show` gives back when `act` answers it.
    const auto chosen = [](const std::function<std::string()>& show,
                           std::function<void(QFileDialog&)> act) {
        const auto answer = when_modal_opens<QFileDialog>(std::move(act));
        return show();
    };
    const std::string in = from_qstring(folder.path());

    QPoint offset_from_centre(1000, 1000);
    const auto open_blink = [&](QFileDialog& dialog) {
        const QRect screen = dialog.screen()->availableGeometry();
        offset_from_centre = dialog.frameGeometry().center() - screen.center();
        type_file_name(dialog, "blink.hex");
        accept_or_give_up(dialog);
    };
    EXPECT_EQ(chosen([&] { return dialogs.show_open(in); }, open_blink),
              from_qstring(QDir::toNativeSeparators(file)));
    EXPECT_LE(offset_from_centre.manhattanLength(), 2);

    // A typed name gets no extension.
    const auto save_image = [](QFileDialog& dialog) {
        type_file_name(dialog, "image");
        accept_or_give_up(dialog);
    };
    EXPECT_EQ(chosen([&] { return dialogs.show_save(in); }, save_image),
              from_qstring(QDir::toNativeSeparators(folder.filePath("image"))));

    EXPECT_EQ(
        chosen([&] { return dialogs.show_open(in); }, [](QFileDialog& dialog) { dialog.reject(); }),
        "");
}

} // namespace
} // namespace pellandor
