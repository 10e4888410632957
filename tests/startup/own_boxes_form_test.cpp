#include "startup/own_boxes_form.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <algorithm>
#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "startup/controls_widget.h"
#include "startup/input_box_form.h"
#include "startup/message_box_form.h"
#include "startup/word_breaking.h"
#include "support/modal_answer.h"
#include "support/window_wait.h"

namespace pellandor {
namespace {

using testing::when_modal_opens;

theme_colors colourful_theme() {
    theme_colors theme;
    theme.col_form_back = 0x102030;
    theme.col_hexhead_back = 0x405060;
    theme.col_field_back = 0x708090;
    theme.col_field_fore = 0xA0B0C0;
    theme.col_title_back = 0xD0E0F0;
    theme.col_title_fore = 0x010203;
    return theme;
}

void press(QWidget& box, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = box.focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &box, key, modifiers);
}

// The colour that a widget's palette gives a role.
theme_color role_color(const QWidget& widget, QPalette::ColorRole role) {
    return from_qcolor(widget.palette().color(role));
}

bool keeps_default_palette(const QWidget& widget) {
    return !widget.testAttribute(Qt::WA_SetPalette) &&
           widget.palette() == QApplication::palette(&widget);
}

// Cases print as their names.
template <typename Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

const auto case_name = [](const auto& param_info) { return std::string(param_info.param.name); };

class OwnMessageBox : public ::testing::Test {
protected:
    int show(const std::string& text, int kind, std::function<void(Form08&)> act,
             const std::string& title = "") {
        const auto answer = when_modal_opens<Form08>(std::move(act));
        return boxes.my_msgbox(text, kind, title);
    }

    theme_colors theme = colourful_theme();
    own_boxes boxes{theme};
};

struct kind_case {
    const char* name;
    int kind;
    const char* picture;
    const char* ok_caption;
};

class MessageBoxKinds : public OwnMessageBox, public ::testing::WithParamInterface<kind_case> {};

TEST_P(MessageBoxKinds, ShowThePictureAndButtonsOfTheKindInTheThemesColours) {
    const kind_case expected = GetParam();
    show("Line number 3: bad record.", expected.kind, [&](Form08& box) {
        EXPECT_EQ(box.surface->back_color(), theme.col_form_back);
        EXPECT_EQ(box.surface->geometry(), box.rect());
        EXPECT_EQ(back_color(*box.lab_title), theme.col_title_back);
        EXPECT_EQ(fore_color(*box.lab_title), theme.col_title_fore);
        EXPECT_EQ(role_color(*box.txt_title, QPalette::Base), theme.col_title_back);
        EXPECT_EQ(role_color(*box.txt_title, QPalette::Text), theme.col_title_fore);
        EXPECT_TRUE(keeps_default_palette(*box.Command1));
        EXPECT_TRUE(keeps_default_palette(*box.Command2));
        for (QLabel* picture : {box.img_ok, box.img_ask, box.img_err, box.img_info}) {
            EXPECT_EQ(picture->isVisible(), picture->objectName() == expected.picture);
            EXPECT_EQ(picture->geometry(), QRect(4, 4, 48, 48));
            const QSize size = picture->pixmap().size();
            EXPECT_EQ(std::max(size.width(), size.height()), 48);
            EXPECT_TRUE(keeps_default_palette(*picture));
        }
        EXPECT_NE(box.img_ok->pixmap().toImage(), box.img_info->pixmap().toImage());
        EXPECT_EQ(box.windowTitle(), "Quillmere Pellandor");
        EXPECT_EQ(box.Command1->text(), expected.ok_caption);
        EXPECT_EQ(box.Command2->isVisible(), expected.kind == msgbox_yes_no);
        // Yes stands where No was placed, No where OK stands in other boxes.
        EXPECT_EQ(box.Command1->x(), expected.kind == msgbox_yes_no ? 320 : 380);
        if (expected.kind == msgbox_yes_no) {
            EXPECT_EQ(box.Command2->x(), 380);
            EXPECT_EQ(box.Command2->y(), box.Command1->y());
        }
        box.Command1->click();
    });
}

INSTANTIATE_TEST_SUITE_P(Kinds, MessageBoxKinds,
                         ::testing::Values(kind_case{"Plain", 0, "img_ok", "OK"},
                                           kind_case{"YesNo", 4, "img_ask", "Yes"},
                                           kind_case{"Error", 16, "img_err", "OK"},
                                           kind_case{"Information", 64, "img_info", "OK"},
                                           kind_case{"One", 1, "", "OK"},
                                           kind_case{"ThirtyTwo", 32, "", "OK"},
                                           kind_case{"Negative", -1, "", "OK"}),
                         case_name);

struct answer_case {
    const char* name;
    int kind;
    std::function<void(Form08&)> act;
    int result;
};

class MessageBoxAnswers : public OwnMessageBox,
                          public ::testing::WithParamInterface<answer_case> {};

TEST_P(MessageBoxAnswers, AnswerAsTheButtonPressed) {
    EXPECT_EQ(show("Overwrite?", GetParam().kind, GetParam().act), GetParam().result);
}

auto key(Qt::Key which, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return [which, modifiers](Form08& box) { press(box, which, modifiers); };
}
auto key_on_no(Qt::Key which) {
    return [which](Form08& box) {
        box.Command2->setFocus();
        press(box, which);
    };
}
void click_ok(Form08& box) {
    QTest::mouseClick(box.Command1, Qt::LeftButton);
}
void click_no(Form08& box) {
    QTest::mouseClick(box.Command2, Qt::LeftButton);
}
void close_box(Form08& box) {
    box.close();
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MessageBoxAnswers,
    ::testing::Values(
        answer_case{"ClickOk", 0, click_ok, 1}, answer_case{"EnterOk", 16, key(Qt::Key_Return), 1},
        answer_case{"EscapeOk", 64, key(Qt::Key_Escape), 1},
        answer_case{"WindowCloseOk", 0, close_box, 1},
        answer_case{"ShiftZOk", 0, key(Qt::Key_Z, Qt::ShiftModifier), 1},
        answer_case{"NInOkBox", 0, key(Qt::Key_N), 7}, answer_case{"ClickYes", 4, click_ok, 6},
        answer_case{"ClickNo", 4, click_no, 7}, answer_case{"EnterYes", 4, key(Qt::Key_Enter), 6},
        answer_case{"EscapeNo", 4, key(Qt::Key_Escape), 7},
        answer_case{"WindowCloseNo", 4, close_box, 7},
        answer_case{"ShiftYYes", 4, key(Qt::Key_Y, Qt::ShiftModifier), 6},

        answer_case{"ShiftNNo", 4, key(Qt::Key_N, Qt::ShiftModifier), 7},
        answer_case{"YWithFocusOnNo", 4, key_on_no(Qt::Key_Y), 6},
        answer_case{"NWithFocusOnNo", 4, key_on_no(Qt::Key_N), 7}),
    case_name);

struct text_case {
    const char* name;
    std::string text;
    bool centred;
};

// The serial port pinout: a table written with TABs.
std::string pinout() {
    std::string text = "Serial Port Pinout:\r\n\r\nPin\tSignal\tDirection\r\n";
    for (const char* row :
         {"1\tDCD\tInput", "2\tRD\tInput", "3\tTD\tOutput", "4\tDTR\tOutput", "5\tGND\t-",
          "6\tDSR\tInput", "7\tRTS\tOutput", "8\tCTS\tInput", "9\tRI\tInput"}) {
        text += std::string(row) + "\r\n";
    }
    return text + "\r\nDirections are defined from the viewpoint of the PC.\r\n";
}

std::string sentences(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "The quick brown fox jumps over the lazy dog. ";
    }
    return text;
}

// Long paths break after the platform's folder separator.
const char separator = QDir::separator().toLatin1();
const std::string path70 = std::string(19, 'a') + separator + std::string(29, 'b') + separator +
                           std::string(9, 'c') + separator + std::string(10, 'd');

class MessageBoxTexts : public OwnMessageBox, public ::testing::WithParamInterface<text_case> {};

TEST_P(MessageBoxTexts, FitTheBoxToTheTextAndCentreOnlyTextsWithoutLineBreaks) {
    show(GetParam().text, 0, [](Form08& box) {
        const QString shown = lines_to_qstring(break_long_words(GetParam().text, separator));
        const Qt::Alignment align = GetParam().centred ? Qt::AlignHCenter : Qt::AlignLeft;
        QTextEdit& view = *box.txt_title;
        EXPECT_EQ(view.toPlainText(), shown);
        EXPECT_EQ(view.document()->defaultTextOption().alignment() & Qt::AlignHorizontal_Mask,
                  align);
        EXPECT_EQ(box.lab_title->alignment() & Qt::AlignHorizontal_Mask, align);
        // The text fits its view with 4 px to spare, and the box fits it.
        EXPECT_EQ(view.geometry(), box.lab_title->geometry());
        EXPECT_EQ(view.geometry().topLeft(), QPoint(60, 8));
        EXPECT_EQ(view.width(), 377);
        EXPECT_EQ(std::ceil(view.document()->size().height()) + 4, view.height());
        EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
        EXPECT_EQ(box.Command1->y(), view.y() + view.height() + 7);
        EXPECT_EQ(box.size(), QSize(441, box.Command1->y() + 25));
        box.Command1->click();
    });
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MessageBoxTexts,
    ::testing::Values(text_case{"OneLine", "Wrong entry!", true}, text_case{"Empty", "", true},
                      text_case{"Lines", "a\r\n\r\nb", false},
                      text_case{"TrailingLineBreak", "one line\r\n", false},
                      text_case{"LongPath", path70, true}, text_case{"Wrapped", sentences(6), true},
                      text_case{"WrappedPath", "In  " + path70 + path70 + " " + sentences(1), true},
                      text_case{"Pinout", pinout(), false}),
    case_name);

TEST_F(OwnMessageBox, GrowsByTheHeightOfTheAddedLines) {
    const auto height_of = [this](const std::string& text) {
        int height = 0;
        show(text, 0, [&height](Form08& box) {
            height = box.height();
            box.Command1->click();
        });
        return height;
    };
    const int one = height_of("1");
    const int two = height_of("1\r\n2");
    EXPECT_GT(two, one);
    EXPECT_EQ(height_of("1\r\n2\r\n3\r\n4\r\n5"), one + 4 * (two - one));
}

TEST_F(OwnMessageBox, TabColumnsLineUp) {
    show(pinout(), 0, [](Form08& box) {
        const QTextDocument& document = *box.txt_title->document();
        const auto column_starts = [&document](int block_number) {
            const QTextBlock block = document.findBlockByNumber(block_number);
            const QString text = block.text();
            const int first = static_cast<int>(text.indexOf('\t')) + 1;
            const int second = static_cast<int>(text.indexOf('\t', first)) + 1;
            const QTextLine line = block.layout()->lineAt(0);
            return std::pair{line.cursorToX(first), line.cursorToX(second)};
        };
        for (int row = 3; row <= 11; ++row) {
            EXPECT_EQ(column_starts(row), column_starts(2)) << row;
        }
        box.Command1->click();
    });
}

TEST_F(OwnMessageBox, ClickOnTheTextCopiesItAndLeavesTheFocusOnYes) {
    QClipboard& clipboard = *QGuiApplication::clipboard();
    const QString kept = clipboard.text();
    clipboard.setText("before");
    const std::string text = "Overwrite " + path70 + "?\r\n";
    QString copied;
    const int result = show(text, msgbox_yes_no, [&copied](Form08& box) {
        box.Command2->setFocus();
        QTest::mouseClick(box.txt_title->viewport(), Qt::LeftButton);
        copied = QGuiApplication::clipboard()->text();
        EXPECT_TRUE(box.isVisible());
        EXPECT_EQ(box.focusWidget(), box.Command1);
        box.Command2->click();
    });
    EXPECT_EQ(copied, lines_to_qstring(break_long_words(text, separator)));
    EXPECT_EQ(result, msgbox_no);
    clipboard.setText(kept);
}

TEST_F(OwnMessageBox, ABoxOpenedWhileAnotherIsOpenKeepsBothAnswers) {
    int inner = 0;
    const int outer = show("first", msgbox_yes_no, [this, &inner](Form08& first) {
        inner = show("second", msgbox_yes_no, [&first](Form08& second) {
            EXPECT_NE(&second, &first);
            second.Command2->click();
        });
        EXPECT_TRUE(first.isVisible());
        first.Command1->click();
    });
    EXPECT_EQ(inner, msgbox_no);
    EXPECT_EQ(outer, msgbox_yes);
}

class OwnInputBox : public ::testing::Test {
protected:
    std::string show(const std::string& prompt, const std::string& default_text,
                     std::function<void(Form07&)> act, const std::string& title = "") {
        const auto answer = when_modal_opens<Form07>(std::move(act));
        return boxes.my_inputbox(prompt, title, default_text);
    }

    theme_colors theme = colourful_theme();
    own_boxes boxes{theme};
};

TEST_F(OwnInputBox, OpensWithTheDefaultCentredSelectedAndFocusedInTheThemesColours) {
    const std::string entered =
        show("Enter new programming time in ms [1-30].", "10", [this](Form07& box) {
            EXPECT_EQ(box.windowTitle(), "Quillmere Pellandor");
            EXPECT_EQ(box.surface->back_color(), theme.col_hexhead_back);
            EXPECT_EQ(box.surface->geometry(), box.rect());
            EXPECT_EQ(back_color(*box.lab_title), theme.col_title_back);
            EXPECT_EQ(fore_color(*box.lab_title), theme.col_title_fore);
            EXPECT_EQ(role_color(*box.txt_input, QPalette::Base), theme.col_field_back);
            EXPECT_EQ(role_color(*box.txt_input, QPalette::Text), theme.col_field_fore);
            EXPECT_TRUE(keeps_default_palette(*box.Command1));
            EXPECT_EQ(box.txt_input->text(), "10");
            EXPECT_EQ(box.txt_input->selectedText(), "10");
            EXPECT_EQ(box.txt_input->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
            EXPECT_EQ(box.focusWidget(), box.txt_input);
            QTest::keyClicks(box.txt_input, "7");
            box.Command1->click();
        });
    EXPECT_EQ(entered, "7");
}

struct entry_case {
    const char* name;
    std::string default_text;
    std::function<void(Form07&)> act;
    std::string entered;
};

class InputBoxAnswers : public OwnInputBox, public ::testing::WithParamInterface<entry_case> {};

TEST_P(InputBoxAnswers, GiveTheTextTheBoxEndsWith) {
    EXPECT_EQ(show("Enter serial port number [1-16].", GetParam().default_text, GetParam().act),
              GetParam().entered);
}

auto type_then(const char* text, std::function<void(Form07&)> end) {
    return [text, end](Form07& box) {
        QTest::keyClicks(box.txt_input, text);
        end(box);
    };
}
void press_ok(Form07& box) {
    box.Command1->click();
}
void press_cancel(Form07& box) {
    box.Command2->click();
}
void press_enter(Form07& box) {
    QTest::keyClick(box.txt_input, Qt::Key_Return);
}
void press_escape(Form07& box) {
    QTest::keyClick(box.txt_input, Qt::Key_Escape);
}
void close_input(Form07& box) {
    box.close();
}

INSTANTIATE_TEST_SUITE_P(
    Answers, InputBoxAnswers,
    ::testing::Values(entry_case{"OkKeepsSpaces", "  3 ", press_ok, "  3 "},
                      entry_case{"TypedWithSpaces", "3", type_then(" 12 ", press_ok), " 12 "},
                      entry_case{"EmptyDefault", "", press_ok, ""},
                      entry_case{"EnterIsOk", "9600", type_then("4800", press_enter), "4800"},
                      entry_case{"CancelAfterTyping", "3", type_then("5", press_cancel), ""},
                      entry_case{"EscapeIsCancel", "3", type_then("5", press_escape), ""},
                      entry_case{"WindowCloseKeepsDefault", "3", type_then("5", close_input), "3"}),
    case_name);

TEST_F(OwnInputBox, ATallerPromptMovesFieldAndButtonsDown) {
    struct look {
        int label_bottom, field_top, buttons_top, height, width;
    };
    const auto look_of = [this](const std::string& prompt) {
        look seen{};
        show(
            prompt, "1",
            [&seen](Form07& box) {
                seen = {box.lab_title->geometry().bottom() + 1, box.txt_input->y(),
                        box.Command1->y(), box.height(), box.width()};
                EXPECT_EQ(box.Command2->y(), box.Command1->y());
                box.Command2->click();
            },
            "Port");
        return seen;
    };
    const look one = look_of("Enter serial port number [1-16].");
    const look three = look_of("Enter serial port number [1-16].\r\nSecond\r\nThird");
    const look wrapped = look_of(sentences(3));
    for (const look& seen : {one, three, wrapped}) {
        EXPECT_EQ(seen.width, 313);
        EXPECT_EQ(seen.field_top, seen.label_bottom + 7);
        EXPECT_EQ(seen.buttons_top, seen.label_bottom + 35);
        EXPECT_EQ(seen.height, seen.buttons_top + 25);
    }
    EXPECT_GT(three.label_bottom, one.label_bottom);
    EXPECT_GT(wrapped.label_bottom, one.label_bottom);
}

// The text a label shows, as an assistive tool reads it: without the tags of
// any markup that the label renders.
std::string shown_text(QLabel& label) {
    return QAccessible::queryAccessibleInterface(&label)->text(QAccessible::Name).toStdString();
}

class Markup : public OwnInputBox, public ::testing::WithParamInterface<const char*> {};

TEST_P(Markup, InAnInputBoxPromptShowsAsWritten) {
    show(GetParam(), "", [](Form07& box) {
        EXPECT_EQ(shown_text(*box.lab_title), GetParam());
        box.Command2->click();
    });
}

TEST_P(Markup, InALabelThatTakesClicksShowsAsWritten) {
    ClickLabel label;
    label.setText(QString::fromUtf8(GetParam()));
    EXPECT_EQ(shown_text(label), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Texts, Markup, ::testing::Values("<b>x</b>", "a < b > c", "a<br>b"));

} // namespace
} // namespace pellandor
