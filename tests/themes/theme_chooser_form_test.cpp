#include "themes/theme_chooser_form.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "startup/controls_widget.h"
#include "support/memory_settings_backend.h"
#include "support/modal_answer.h"
#include "support/window_wait.h"

namespace pellandor {
namespace {

theme_color form_back_of(const std::string& name) {
    for (const theme_row& row : theme_table()) {
        if (name == row.name) {
            return row.colors[0];
        }
    }
    return -1;
}

class ThemeChooser : public ::testing::Test {
protected:
    testing::memory_settings_backend backend;
    settings_store settings{backend};
    theme_colors theme;
    int main_window_repaints = 0;
    std::unique_ptr<Form34> dialog;

    // Opens the chooser as the program does: the theme loaded from the
    // stored name first.
    void open(const std::string& stored) {
        backend.texts[setting::color_theme] = stored;
        loadtheme(settings, theme);
        dialog = std::make_unique<Form34>(settings, theme, [this] { ++main_window_repaints; });
        backend.write_count = 0;
    }
    void show() {
        dialog->show();
        ASSERT_TRUE(testing::wait_until_exposed(*dialog));
    }
    ClickLabel* entry(const std::string& name) {
        for (ClickLabel* label : dialog->opcija) {
            if (from_qstring(label->text()) == name) {
                return label;
            }
        }
        return nullptr;
    }
    void click(const std::string& name) { QTest::mouseClick(entry(name), Qt::LeftButton); }
    std::string stored() { return backend.texts[setting::color_theme]; }
    // The names of the entries in the selection colours.
    std::vector<std::string> marked() {
        std::vector<std::string> names;
        for (ClickLabel* label : dialog->opcija) {
            const bool selection = back_color(*label) == theme.col_select_back &&
                                   fore_color(*label) == theme.col_select_fore;
            const bool field = back_color(*label) == theme.col_field_back &&
                               fore_color(*label) == theme.col_field_fore;
            EXPECT_NE(selection, field) << from_qstring(label->text());
            if (selection) {
                names.push_back(from_qstring(label->text()));
            }
        }
        return names;
    }
};

using names = std::vector<std::string>;

TEST_F(ThemeChooser, EntriesStandInTwentyThreeRowsOfTwo) {
    const std::array<std::pair<const char*, const char*>, 23> rows{{
        {"Amethyst", "Arctica"},      {"Baby Jeans", "Bitter Lemon"},
        {"Bloods", "Blue Martini"},   {"Blueberry", "Blueberry And Cream"},
        {"Blues", "Bricks Set"},      {"Bubble Gum", "Bullfrog"},
        {"Citrus", "City Night"},     {"Clover", "Coagulated"},
        {"Copper", "Donatello"},      {"Dymunds", "Emerald City"},
        {"Fort Knox", "Gold Rush"},   {"Grapefruit", "Grapes"},
        {"Halloween", "HaXb0x"},      {"Jeans", "Love Machine"},
        {"Mono Dark", "Mono Lite"},   {"Night Vision", "Peachy"},
        {"Popcorn", "Powerpuff!"},    {"Original Dark", "Original Lite"},
        {"Owayke", "Rain Forest"},    {"Raspberry Club", "Rosemary"},
        {"Sunflower", "Toxic"},       {"Uranium", "Varsity"},
        {"Winamp New", "Winamp Old"},
    }};
    open("Original Lite");
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Change Color Theme"));
    EXPECT_EQ(dialog->size(), QSize(305, 501)); // 4575 x 7515 twips
    for (int row = 0; row < 23; ++row) {
        const int top = (120 + 300 * row + 7) / 15;
        for (const auto& [name, left] : {std::pair{rows[row].first, 8}, {rows[row].second, 156}}) {
            SCOPED_TRACE(name);
            ClickLabel* label = entry(name);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->geometry(), QRect(left, top, 141, 17)); // 2115 x 255 twips
            EXPECT_EQ(label->frameShape(), QFrame::Box);
            EXPECT_EQ(label->alignment(), Qt::AlignCenter);
            EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
        }
    }
    EXPECT_EQ(dialog->Command2->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(dialog->Command2->geometry(), QRect(156, 472, 69, 25));
    EXPECT_EQ(dialog->Command1->text(), QStringLiteral("Select"));
    EXPECT_EQ(dialog->Command1->geometry(), QRect(228, 472, 69, 25));
}

TEST_F(ThemeChooser, MarksTheCurrentThemeOnTheThemesBackground) {
    open("Blues");
    EXPECT_EQ(marked(), names{"Blues"});
    EXPECT_EQ(dialog->surface->back_color(), theme.col_form_back);
    EXPECT_EQ(dialog->Command1->palette(), QApplication::palette(dialog->Command1));
    EXPECT_EQ(dialog->Command2->palette(), QApplication::palette(dialog->Command2));
}

TEST_F(ThemeChooser, NameInAnotherCaseMarksNothingAndCancelKeepsIt) {
    open("blues");
    EXPECT_EQ(marked(), names{});
    EXPECT_EQ(dialog->surface->back_color(), form_back_of("Original Lite"));
    show();
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    EXPECT_EQ(stored(), "blues");
    EXPECT_EQ(theme.colortheme, "blues");
}

TEST_F(ThemeChooser, ClicksPreviewAndCancelGoesBack) {
    open("Blues");
    show();
    int expected_writes = 0;
    for (const std::string name : {"Toxic", "Peachy", "Toxic"}) {
        click(name);
        ++expected_writes;
        EXPECT_EQ(stored(), name);
        EXPECT_EQ(theme.colortheme, name);
        EXPECT_EQ(marked(), names{name});
        EXPECT_EQ(dialog->surface->back_color(), theme.col_form_back);
        EXPECT_EQ(main_window_repaints, expected_writes);
    }
    EXPECT_EQ(theme.col_form_back, form_back_of("Toxic"));
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    EXPECT_EQ(backend.write_count, 4);
    EXPECT_EQ(stored(), "Blues");
    EXPECT_EQ(theme.colortheme, "Blues");
    EXPECT_EQ(theme.col_form_back, form_back_of("Blues"));
    EXPECT_EQ(main_window_repaints, 4);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(ThemeChooser, SelectWithoutClickWritesTheEntryThemeOnce) {
    open("Jeans");
    show();
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    EXPECT_EQ(backend.write_count, 1);
    EXPECT_EQ(stored(), "Jeans");
    EXPECT_EQ(main_window_repaints, 1);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(ThemeChooser, CancelHoldsTheFocusAndEscCancels) {
    open("Jeans");
    EXPECT_EQ(dialog->focusWidget(), dialog->Command2);
    show();
    click("Copper");
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(stored(), "Jeans");
    EXPECT_FALSE(dialog->isVisible());
}

struct enter_case {
    const char* name;
    Qt::Key enter;
    bool tab_first;
    QDialog::DialogCode result;
    const char* stored; // "Color Theme" afterwards
};

void PrintTo(const enter_case& c, std::ostream* out) {
    *out << c.name;
}

class ThemeChooserEnter : public ThemeChooser, public ::testing::WithParamInterface<enter_case> {};

TEST_P(ThemeChooserEnter, PressesTheButtonThatHasTheFocus) {
    open("Jeans");
    const auto answer = testing::when_modal_opens([this](QWidget& modal) {
        click("Copper");
        if (GetParam().tab_first) {
            QTest::keyClick(modal.focusWidget(), Qt::Key_Tab);
        }
        QTest::keyClick(modal.focusWidget(), GetParam().enter);
    });
    EXPECT_EQ(dialog->exec(), GetParam().result);
    EXPECT_EQ(stored(), GetParam().stored);
    EXPECT_EQ(backend.write_count, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ThemeChooserEnter,
    ::testing::Values(
        enter_case{"ReturnCancels", Qt::Key_Return, false, QDialog::Rejected, "Jeans"},
        enter_case{"KeypadEnterCancels", Qt::Key_Enter, false, QDialog::Rejected, "Jeans"},
        enter_case{"TabThenReturnSelects", Qt::Key_Return, true, QDialog::Accepted, "Copper"},
        enter_case{"TabThenKeypadEnterSelects", Qt::Key_Enter, true, QDialog::Accepted, "Copper"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(ThemeChooser, ClosedByTheWindowManagerKeepsTheLastClick) {
    open("Jeans");
    show();
    click("Copper");
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(stored(), "Copper");
    EXPECT_EQ(theme.colortheme, "Copper");
    EXPECT_EQ(backend.write_count, 1);
    EXPECT_EQ(main_window_repaints, 1);
}

} // namespace
} // namespace pellandor
