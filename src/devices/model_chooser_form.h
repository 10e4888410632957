// The model chooser: every model of the device list as an entry, the
// selected one marked. A click moves the choice at once; Select stores and
// selects it when it changed, Cancel (or closing the window) puts it back.
#pragma once

#include <cstdint>
#include <vector>

#include "devices/chooser_dialog.h"
#include "devices/device_list.h"
#include "devices/selected_model.h"
#include "startup/settings_store.h"
#include "themes/theme_table.h"

namespace pellandor {

class Form5 : public ChooserDialog {
    Q_OBJECT

public:
    Form5(const device_tables& tables, selected_model& model, settings_store& settings,
          const theme_colors& theme, QWidget* parent = nullptr);

    void settheme();
    void opcija_Click(int index);
    void opcija_DblClick(int index);
    void Command1_Click();
    void Command2_Click();

    // Entry i is opcija[i], from 1; opcija[0] stays empty.
    std::vector<ClickLabel*> opcija;
    QPushButton* Command1 = nullptr; // Select
    QPushButton* Command2 = nullptr; // Cancel

public slots:
    // The dialog has no cancel button: Esc does nothing.
    void reject() override {}

protected:
    void closed_from_outside() override { Command2_Click(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void mark_selected();

    const device_tables& tables_;
    selected_model& model_;
    settings_store& settings_;
    const theme_colors& theme_;
    std::int32_t entry_index = 0;
};

} // namespace pellandor
