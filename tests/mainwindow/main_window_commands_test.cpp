// The window's file commands, small boxes, choosers and mouse wheel, driven
// through its menus, labels and wheel as a person would.
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <fstream>
#include <sstream>

#include "devices/model_chooser_form.h"
#include "mainwindow/hex_grid_widget.h"
#include "startup/controls_widget.h"
#include "support/modal_answer.h"
#include "support/pty_pair.h"
#include "support/window_wait.h"
#include "themes/theme_chooser_form.h"
#include "window_fixture.h"

namespace pellandor::testing {
namespace {

std::string file_text(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class Commands : public window_fixture {
protected:
    std::string in_folder(const char* name) const {
        return from_qstring(QDir(folder.path()).filePath(QString::fromLatin1(name)));
    }
    std::string folder_path() const { return from_qstring(folder.path()) + "/"; }

    QTemporaryDir folder;
};

struct loaded_file {
    const char* text;
    const char* status;
};

class OpenHex : public Commands, public ::testing::WithParamInterface<loaded_file> {};

TEST_P(OpenHex, ShowsWhatWasLoaded) {
    Form1& window = load_active();
    write_file(in_folder("a.hex"), GetParam().text);
    state.image.eeprom_buffer[3] = 0x11;
    files.answers = {in_folder("a.hex")};
    window.menuopen->trigger();
    EXPECT_EQ(files.open_folders.at(0), "/opt/pellandor/");
    EXPECT_EQ(window.last_path(), folder_path());
    EXPECT_EQ(backend.texts["Last Path"], folder_path());
    EXPECT_EQ(window.label_status->text(), GetParam().status);
    EXPECT_EQ(from_qstring(window.label_hex->text()), in_folder("a.hex"));
    EXPECT_EQ(state.image.eeprom_buffer[3], 0xFF);
    EXPECT_TRUE(window.Command1->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenHex,
    ::testing::Values(loaded_file{":00000001FF\r\n",
                                  "Operation completed. Total 0 (0K) program bytes loaded."},
                      loaded_file{":10010000000102030405060708090A0B0C0D0E0F77\r\n:00000001FF\r\n",
                                  "Operation completed. Total 272 (0.26K) program bytes loaded."}),
    [](const auto& param) { return "case" + std::to_string(param.index); });

struct failed_open {
    const char* records; // the chosen file's text; nullptr: a link to a device
    const char* box;     // how the reader's box begins
};

class FailedOpen : public Commands, public ::testing::WithParamInterface<failed_open> {};

TEST_P(FailedOpen, LeavesAnErasedImageAndTheFolderRemembered) {
    Form1& window = load_active();
    state.image.flash_buffer[0] = 0x0C;
    if (GetParam().records != nullptr) {
        write_file(in_folder("bad.hex"), GetParam().records);
    } else {
        ASSERT_TRUE(QFile::link("/dev/null", to_qstring(in_folder("bad.hex"))));
    }
    files.answers = {in_folder("bad.hex")};
    window.label_hex->setText("/old.hex");
    window.menuopen->trigger();
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_EQ(boxes.boxes[0].kind, 16);
    EXPECT_EQ(boxes.boxes[0].text.rfind(GetParam().box, 0), 0U) << boxes.boxes[0].text;
    EXPECT_EQ(state.image.flash_buffer[0], 0xFF);
    EXPECT_EQ(window.label_hex->text(), "");
    EXPECT_EQ(window.label_status->text(), "HEX file not loaded!");
    EXPECT_EQ(backend.texts["Last Path"], folder_path());
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailedOpen,
    ::testing::Values(failed_open{":0400000001020304F1\r\n:02000000ZZ\r\n",
                                  "Input program file in Intel Hex Format contains errors."},
                      failed_open{nullptr, "The file "}),
    [](const auto& param) { return param.param.records ? "faulty" : "device"; });

TEST_F(Commands, CancellingADialogChangesNothing) {
    Form1& window = load_active();
    window.label_status->setText("kept");
    window.menuopen->trigger();
    window.menusave->trigger();
    EXPECT_EQ(window.label_status->text(), "kept");
    EXPECT_EQ(backend.texts["Last Path"], "/opt/pellandor/");
}

TEST_F(Commands, TheFileLabelsOpenTheDialogOnlyWhileIdle) {
    Form1& window = load_active();
    QTest::mouseClick(window.Label7, Qt::LeftButton);
    QTest::mouseClick(window.label_hex, Qt::LeftButton);
    EXPECT_EQ(files.open_folders.size(), 2U);
    window.disable();
    QTest::mouseClick(window.Label7, Qt::LeftButton);
    QTest::mouseClick(window.label_hex, Qt::LeftButton);
    QTest::mouseClick(window.label_ime, Qt::LeftButton); // no chooser opens: nothing blocks
    EXPECT_EQ(files.open_folders.size(), 2U);
}

TEST_F(Commands, SavedFileReadsBackToTheSameFlash) {
    Form1& window = load_active();
    state.image.flash_buffer[0] = 0x0C;
    state.image.flash_buffer[1] = 0x94;
    state.image.flash_buffer[10] = 0x12;
    files.answers = {in_folder("out")};
    window.menusave->trigger();
    EXPECT_EQ(file_text(in_folder("out")),
              ":020000040000FA\r\n:0C0000000C94FFFFFFFFFFFFFFFF12FF4B\r\n:00000001FF\r\n");
    EXPECT_EQ(window.label_status->text(), "HEX file saved.");
    EXPECT_EQ(from_qstring(window.label_hex->text()), in_folder("out"));
    files.answers = {in_folder("out")};
    window.menuclear->trigger();
    window.menuopen->trigger();
    EXPECT_EQ(state.image.flash_buffer[1], 0x94);
    EXPECT_EQ(state.image.flash_buffer[10], 0x12);
}

class Overwrite : public Commands, public ::testing::WithParamInterface<int> {};

TEST_P(Overwrite, TheQuestionDecidesAndNoStillRemembersTheFolder) {
    Form1& window = load_active();
    write_file(in_folder("old.hex"), "old");
    window.label_status->setText("kept");
    boxes.answer = GetParam();
    files.answers = {in_folder("old.hex")};
    window.menusave->trigger();
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_EQ(boxes.boxes[0].text, "Do you want to overwrite file " + in_folder("old.hex") + "?");
    EXPECT_EQ(boxes.boxes[0].kind, 4);
    EXPECT_EQ(backend.texts["Last Path"], folder_path());
    EXPECT_EQ(file_text(in_folder("old.hex")), GetParam() == 7 ? "old" : ":00000001FF\r\n");
    // A declined overwrite is no failure.
    EXPECT_EQ(window.label_status->text(), GetParam() == 7 ? "kept" : "HEX file saved.");
}

INSTANTIATE_TEST_SUITE_P(Answers, Overwrite, ::testing::Values(6, 7));

TEST_F(Commands, AFileThatCannotBeWrittenIsReportedAndNeverCalledSaved) {
    Form1& window = load_active();
    files.answers = {in_folder("earlier.hex")};
    window.menusave->trigger();
    ASSERT_EQ(window.label_status->text(), "HEX file saved.");
    // A file in the way of the folder stops root too.
    write_file(in_folder("plain"), "not a folder");
    files.answers = {in_folder("plain") + "/x.hex"};
    window.menusave->trigger();
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_EQ(boxes.boxes[0].kind, 16);
    EXPECT_NE(boxes.boxes[0].text.find(in_folder("plain") + "/x.hex"), std::string::npos);
    EXPECT_EQ(window.label_status->text(), "HEX file not saved!");
    EXPECT_EQ(from_qstring(window.label_hex->text()), in_folder("earlier.hex"));
    EXPECT_TRUE(window.Command1->isEnabled());
    EXPECT_EQ(file_text(in_folder("plain")), "not a folder");
}

TEST_F(Commands, ProgrammingTimeLastsUntilTheNextModelSelection) {
    Form1& window = load_active();
    inputs.answers = {"7", "31"};
    window.menuprogtime->trigger();
    EXPECT_EQ(state.model.programming_time, 7);
    window.menuprogtime->trigger();
    EXPECT_EQ(inputs.asks.at(1).default_text, "7");
    EXPECT_EQ(boxes.boxes.at(0).text, "Wrong entry!");
    EXPECT_EQ(state.model.programming_time, 7);
}

TEST_F(Commands, HelpBoxesShowTheirTexts) {
    Form1& window = load_active();
    window.menuportinfo->trigger();
    window.menuabout->trigger();
    ASSERT_EQ(boxes.boxes.size(), 2U);
    EXPECT_EQ(boxes.boxes[0].text.substr(0, 21), "Serial Port Pinout:\r\n");
    EXPECT_EQ(boxes.boxes[1].text.substr(0, 21), "Quillmere Pellandor\r\n");
    for (const auto& box : boxes.boxes) {
        EXPECT_EQ(box.kind, 0);
        EXPECT_EQ(box.title, "Quillmere Pellandor");
    }
}

TEST_F(Commands, AModelChangeGivesItsSizesGridsAndDefaults) {
    Form1& window = load_active();
    state.image.flash_buffer[0] = 0;
    const auto answer = when_modal_opens<Form5>([](Form5& chooser) { chooser.opcija_DblClick(2); });
    QTest::mouseClick(window.label_info, Qt::LeftButton);
    EXPECT_EQ(backend.texts["Microcontroller Model"], "2");
    EXPECT_EQ(window.label_ime->text(), "NoEeprom");
    EXPECT_EQ(window.label_info->text(), "FLASH: 2048,  EEPROM: 0");
    EXPECT_EQ(state.image.flash_buffer.size(), 2048U);
    EXPECT_EQ(window.tabla_eeprom->text(), "");
    EXPECT_EQ(window.label_conf[0]->text(), "FC");
    EXPECT_EQ(window.scrl1->maximum(), 120);
    EXPECT_EQ(window.active_grid(), 1);
}

TEST_F(Commands, CancelledModelChooserStillClearsTheBuffers) {
    Form1& window = load_active();
    state.image.flash_buffer[0] = 0;
    const auto answer = when_modal_opens<Form5>([](Form5& chooser) {
        chooser.opcija_Click(3);
        chooser.Command2_Click();
    });
    window.menumodel->trigger();
    EXPECT_EQ(state.model.model_index, 1);
    EXPECT_EQ(state.image.flash_buffer[0], 0xFF);
}

TEST_F(Commands, AThemeClickRepaintsTheMainWindowAtOnce) {
    Form1& window = load_active();
    theme_color seen = 0;
    const auto answer = when_modal_opens<Form34>([&](Form34& chooser) {
        for (ClickLabel* entry : chooser.opcija) {
            if (entry->text() == "Halloween") {
                QTest::mouseClick(entry, Qt::LeftButton);
            }
        }
        seen = window.surface->back_color();
        chooser.Command1_Click();
    });
    window.menucolors->trigger();
    EXPECT_EQ(seen, 37 + 256 * 37 + 65536 * 37);
    EXPECT_EQ(backend.texts["Color Theme"], "Halloween");
}

class Wheel : public Commands {
protected:
    static void turn(QWidget& over, int delta, Qt::ScrollPhase phase = Qt::NoScrollPhase) {
        const QPointF at(over.width() / 2.0, over.height() / 2.0);
        QWheelEvent wheel(at, over.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, phase, false);
        QApplication::sendEvent(&over, &wheel);
    }
    // The pointer moves over a control; the screen's pointer, which would
    // outlast the test, stays where it is.
    static void move_over(QWidget& over) {
        const QPointF at(over.width() / 2.0, over.height() / 2.0);
        QMouseEvent move(QEvent::MouseMove, at, over.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&over, &move);
    }
};

TEST_F(Wheel, EachMessageStepsTheTargetBarByThreeAndGoesNoFurther) {
    Form1& window = load_active();
    ASSERT_TRUE(window.wheel_hooked());
    EXPECT_EQ(backend.numbers["Mouse Wheel Enabled"], 1);
    window.scrl1->setValue(10);
    turn(*window.tabla_flash, -120);
    EXPECT_EQ(window.scrl1->value(), 13);
    turn(*window.scrl1, 120); // over the bar itself: still one step of 3
    EXPECT_EQ(window.scrl1->value(), 10);
    turn(*window.Label5, -240);
    EXPECT_EQ(window.scrl1->value(), 13);
    turn(*window.tabla_flash, 0); // a tilt is no wheel message
    turn(*window.tabla_flash, -120, Qt::ScrollUpdate);
    EXPECT_EQ(window.scrl1->value(), 13);
    window.scrl1->setValue(window.scrl1->maximum());
    turn(*window.tabla_flash, -120);
    EXPECT_EQ(window.scrl1->value(), window.scrl1->maximum());
    window.scrl2->setFocus();
    window.scrl2->setValue(2);
    turn(*window.tabla_flash, 120);
    EXPECT_EQ(window.scrl2->value(), 0);
}

class WheelSetting : public Wheel, public ::testing::WithParamInterface<int> {};

TEST_P(WheelSetting, ZeroTurnsTheWheelOffAndAnyOtherNumberOn) {
    backend.numbers["Mouse Wheel Enabled"] = GetParam();
    Form1& window = load_active();
    window.scrl1->setValue(10);
    turn(*window.tabla_flash, -120);
    EXPECT_EQ(window.scrl1->value(), GetParam() == 0 ? 10 : 13);
}

INSTANTIATE_TEST_SUITE_P(Values, WheelSetting, ::testing::Values(0, -1, 5));

TEST_F(Wheel, ADialogOfTheProgramTakesTheWheelAwayUntilItCloses) {
    Form1& window = load_active();
    bool hooked_while_open = true;
    const auto answer = when_modal_opens<Form34>([&](Form34& chooser) {
        hooked_while_open = window.wheel_hooked();
        chooser.Command2_Click();
    });
    window.menucolors->trigger();
    EXPECT_FALSE(hooked_while_open);
    window.activateWindow();
    EXPECT_TRUE(wait_for("the wheel taken again by the active main window",
                         [&] { return window.wheel_hooked(); }));
}

// An adapter on COM3 that never answers: every operation of the first model
// starts and keeps the window busy.
class WheelWhileBusy : public Wheel, public ::testing::WithParamInterface<QPushButton * Form1::*> {
protected:
    WheelWhileBusy() {
        link_com_port(3, QString::fromStdString(com3.slave_path()));
        backend.numbers["Serial Port Number"] = 3;
        device_record& model = state.devices.records.at(1);
        for (std::string* algorithm : {&model.device_programalg, &model.device_readalg,
                                       &model.device_blankcheckalg, &model.device_verifyalg}) {
            *algorithm = model.device_erasealg;
        }
    }

    pty_pair com3;
};

TEST_P(WheelWhileBusy, AClickedButtonLeavesTheWheelWithTheGridThePointerLastMovedOver) {
    Form1& window = load_active();
    QPushButton& button = *(window.*GetParam());
    move_over(*window.tabla_eeprom);
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_FALSE(button.isEnabled());
    turn(*window.tabla_eeprom, -120);
    EXPECT_EQ(window.scrl2->value(), 3);
    // Back from another window, as after a message box.
    {
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(wait_until_active(other));
    }
    window.activateWindow();
    ASSERT_TRUE(wait_until_active(window));
    turn(*window.tabla_eeprom, -120);
    EXPECT_EQ(window.scrl2->value(), 6);
    EXPECT_EQ(window.scrl1->value(), 0);
    EXPECT_EQ(window.active_grid(), 2);
}

INSTANTIATE_TEST_SUITE_P(Buttons, WheelWhileBusy,
                         ::testing::Values(&Form1::Command1, &Form1::Command2, &Form1::Command3,
                                           &Form1::Command4, &Form1::Command5),
                         [](const auto& param) {
                             return "Command" + std::to_string(param.index + 1);
                         });

TEST_F(Wheel, SwitchingToAnotherProgramKeepsTheWheel) {
    Form1& window = load_active();
    QApplication::setActiveWindow(nullptr);
    EXPECT_FALSE(window.isActiveWindow());
    EXPECT_TRUE(window.wheel_hooked());
}

} // namespace
} // namespace pellandor::testing
