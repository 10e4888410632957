#include "devices/model_chooser_form.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "startup/controls_widget.h"
#include "support/double_click.h"
#include "support/memory_settings_backend.h"
#include "support/modal_answer.h"
#include "support/window_wait.h"

namespace pellandor {
namespace {

class ModelChooser : public ::testing::Test {
protected:
    testing::memory_settings_backend backend;
    settings_store settings{backend};
    device_tables tables;
    selected_model model;
    theme_colors theme;
    std::unique_ptr<Form5> dialog;

    void open(int device_count, int model_index) {
        for (int index = 1; index <= device_count; ++index) {
            device_record record;
            record.device_model = "ATmodel" + std::to_string(index);
            record.device_flash = std::to_string(1024 * index);
            record.device_eeprom = index % 2 == 0 ? "512 " : "0";
            record.device_progtime = "10";
            tables.records.push_back(record);
        }
        tables.device_count = device_count;
        model.model_index = model_index;
        select_model(tables, model);
        backend.texts[setting::color_theme] = "Blues";
        loadtheme(settings, theme);
        dialog = std::make_unique<Form5>(tables, model, settings, theme);
        backend.write_count = 0;
    }
    void show() {
        dialog->show();
        ASSERT_TRUE(testing::wait_until_exposed(*dialog));
    }
    void click(int index) { QTest::mouseClick(dialog->opcija[index], Qt::LeftButton); }
    std::vector<int> marked() {
        std::vector<int> indexes;
        for (int index = 1; index <= tables.device_count; ++index) {
            const ClickLabel& label = *dialog->opcija[index];
            const bool selection = back_color(label) == theme.col_select_back &&
                                   fore_color(label) == theme.col_select_fore;
            const bool field = back_color(label) == theme.col_field_back &&
                               fore_color(label) == theme.col_field_fore;
            EXPECT_NE(selection, field) << index;
            if (selection) {
                indexes.push_back(index);
            }
        }
        return indexes;
    }
};

using indexes = std::vector<int>;

TEST_F(ModelChooser, ThreeModelsShortenTheForm) {
    open(3, 1);
    show();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Select Microcontroller"));
    ASSERT_EQ(dialog->opcija.size(), 71U);
    for (int index = 1; index <= 70; ++index) {
        EXPECT_EQ(dialog->opcija[index]->isVisible(), index <= 3) << index;
    }
    EXPECT_EQ(dialog->opcija[2]->text(), QStringLiteral("ATmodel2"));
    EXPECT_EQ(dialog->opcija[2]->toolTip(), QStringLiteral("FLASH: 2048, EEPROM: 512 "));
    EXPECT_EQ(dialog->opcija[3]->toolTip(), QStringLiteral("FLASH: 3072, EEPROM: 0"));
    EXPECT_EQ(dialog->opcija[2]->geometry(), QRect(156, 8, 141, 17));
    EXPECT_EQ(dialog->opcija[3]->geometry(), QRect(8, 24, 141, 17));
    EXPECT_EQ(dialog->Command1->geometry(), QRect(156, 48, 69, 25)); // 720 twips
    EXPECT_EQ(dialog->Command2->geometry(), QRect(80, 48, 69, 25));
    EXPECT_EQ(dialog->size(), QSize(305, 77)); // 9075 - 7920 twips high
}

TEST_F(ModelChooser, SeventyModelsKeepTheDesignSize) {
    open(70, 1);
    show();
    for (int index = 1; index <= 70; ++index) {
        EXPECT_TRUE(dialog->opcija[index]->isVisible()) << index;
    }
    EXPECT_EQ(dialog->opcija[70]->text(), QStringLiteral("ATmodel70"));
    EXPECT_EQ(dialog->opcija[70]->geometry(), QRect(156, 552, 141, 17));
    EXPECT_EQ(dialog->Command1->y(), 576); // 8640 twips
    EXPECT_EQ(dialog->Command2->y(), 576);
    EXPECT_EQ(dialog->size(), QSize(305, 605));
}

TEST_F(ModelChooser, LongerListsGrowTheChooser) {
    open(71, 71);
    show();
    ASSERT_EQ(dialog->opcija.size(), 72U);
    EXPECT_TRUE(dialog->opcija[71]->isVisible());
    EXPECT_EQ(dialog->opcija[71]->text(), QStringLiteral("ATmodel71"));
    EXPECT_EQ(dialog->opcija[71]->geometry(), QRect(8, 568, 141, 17));
    EXPECT_EQ(dialog->Command1->y(), 592);
    EXPECT_EQ(dialog->size(), QSize(305, 621));
    EXPECT_EQ(marked(), indexes{71});
}

TEST_F(ModelChooser, ClickMovesTheMarking) {
    open(5, 2);
    EXPECT_EQ(marked(), indexes{2});
    EXPECT_EQ(dialog->surface->back_color(), theme.col_form_back);
    EXPECT_EQ(dialog->Command1->palette(), QApplication::palette(dialog->Command1));
    show();
    click(4);
    EXPECT_EQ(model.model_index, 4);
    EXPECT_EQ(marked(), indexes{4});
}

TEST_F(ModelChooser, CancelPutsTheModelBackAndStoresNothing) {
    open(5, 2);
    show();
    click(4);
    click(5);
    QTest::mouseClick(dialog->Command2, Qt::LeftButton);
    EXPECT_EQ(model.model_index, 2);
    EXPECT_EQ(model.model_name, "ATmodel2");
    EXPECT_EQ(backend.write_count, 0);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ModelChooser, SelectWithoutChangeNeitherStoresNorSelects) {
    for (const indexes& clicks : {indexes{}, indexes{4, 2}}) {
        open(5, 2);
        model.programming_time = 25; // as changed by hand until the next selection
        show();
        for (const int index : clicks) {
            click(index);
        }
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        EXPECT_EQ(model.model_index, 2);
        EXPECT_EQ(model.programming_time, 25);
        EXPECT_EQ(backend.write_count, 0);
        EXPECT_FALSE(dialog->isVisible());
        tables = {};
    }
}

TEST_F(ModelChooser, SelectStoresAndSelectsANewModel) {
    open(12, 2);
    const auto answer = testing::when_modal_opens([this](QWidget&) {
        click(11);
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
    });
    EXPECT_EQ(dialog->exec(), QDialog::Accepted);
    EXPECT_EQ(backend.texts[setting::microcontroller_model], "11");
    EXPECT_EQ(backend.write_count, 1);
    EXPECT_EQ(model.model_index, 11);
    EXPECT_EQ(model.model_name, "ATmodel11");
}

struct double_click_case {
    const char* name;
    Qt::MouseButton button;
    bool closes;
    const char* stored; // "Microcontroller Model" afterwards
    std::string model_name;
};

void PrintTo(const double_click_case& c, std::ostream* out) {
    *out << c.name;
}

class ModelChooserDoubleClick : public ModelChooser,
                                public ::testing::WithParamInterface<double_click_case> {};

TEST_P(ModelChooserDoubleClick, OnlyTheLeftButtonSelectsAndCloses) {
    open(5, 2);
    show();
    testing::double_click(dialog->opcija[3], GetParam().button);
    EXPECT_EQ(dialog->isVisible(), !GetParam().closes);
    EXPECT_EQ(backend.texts[setting::microcontroller_model], GetParam().stored);
    EXPECT_EQ(model.model_name, GetParam().model_name);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ModelChooserDoubleClick,
    ::testing::Values(double_click_case{"Left", Qt::LeftButton, true, "3", "ATmodel3"},
                      double_click_case{"Right", Qt::RightButton, false, "", "ATmodel2"},
                      double_click_case{"Middle", Qt::MiddleButton, false, "", "ATmodel2"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(ModelChooser, ClosedByTheWindowManagerCancels) {
    open(5, 2);
    show();
    click(4);
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(model.model_index, 2);
    EXPECT_EQ(backend.write_count, 0);
}

TEST_F(ModelChooser, SelectHoldsTheFocusAndEscDoesNothing) {
    open(5, 2);
    EXPECT_EQ(dialog->focusWidget(), dialog->Command1);
    show();
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    dialog->activateWindow();
    ASSERT_TRUE(testing::wait_until_active(*dialog));
    QTest::keyClick(dialog.get(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog->Command2);
}

} // namespace
} // namespace pellandor
