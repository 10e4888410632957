#include "devices/model_chooser_form.h"

#include <QMouseEvent>
#include <QPushButton>

#include "startup/controls_widget.h"
#include "startup/text_value.h"

namespace pellandor {

Form5::Form5(const device_tables& tables, selected_model& model, settings_store& settings,
             const theme_colors& theme, QWidget* parent)
    : ChooserDialog(QStringLiteral("Select Microcontroller"), model_chooser_width,
                    model_chooser_design_height, parent),
      tables_(tables), model_(model), settings_(settings), theme_(theme) {
    const int count = model_entry_count(tables.device_count);
    opcija.assign(count + 1, nullptr);
    for (int index = 1; index <= count; ++index) {
        opcija[index] = add_entry(model_entry_rect(index), QString());
        opcija[index]->installEventFilter(this);
        connect(opcija[index], &ClickLabel::clicked, this, [this, index] { opcija_Click(index); });
    }
    Command1 = add_button(QStringLiteral("Select"), 2340, model_chooser_design_button_top);
    Command2 = add_button(QStringLiteral("Cancel"), 1200, model_chooser_design_button_top);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
    Form_Load();
}

void Form5::Form_Load() {
    for (int index = 1; index < static_cast<int>(opcija.size()); ++index) {
        if (index <= tables_.device_count) {
            const device_record& record = tables_.records[index];
            opcija[index]->setText(to_qstring(record.device_model));
            opcija[index]->setToolTip(to_qstring(model_tool_tip(record)));
        } else {
            opcija[index]->hide();
        }
    }
    const int button_top = twips(model_button_top(tables_.device_count));
    Command1->move(Command1->x(), button_top);
    Command2->move(Command2->x(), button_top);
    set_client_height(model_chooser_height(tables_.device_count));
    settheme();
    mark_selected();
    entry_index = model_.model_index;
}

void Form5::settheme() {
    surface->set_back_color(theme_.col_form_back);
}

void Form5::mark_selected() {
    for (int index = 1; index <= tables_.device_count; ++index) {
        paint_entry(*opcija[index], index == model_.model_index, theme_);
    }
}

void Form5::opcija_Click(int index) {
    model_.model_index = index;
    mark_selected();
}

void Form5::opcija_DblClick(int index) {
    opcija_Click(index);
    Command1_Click();
}

void Form5::Command1_Click() {
    hide_and_yield();
    if (model_.model_index != entry_index) {
        settings_.save_string_setting(setting::microcontroller_model,
                                      decimal_text(std::int64_t{model_.model_index}));
        select_model(tables_, model_);
    }
    unload(Accepted);
}

void Form5::Command2_Click() {
    model_.model_index = entry_index;
    unload(Rejected);
}

bool Form5::eventFilter(QObject* watched, QEvent* event) {
    // Only the left button chooses, as only its click marks an entry.
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int index = 1; index <= tables_.device_count; ++index) {
            if (watched == opcija[index]) {
                opcija_DblClick(index);
                return true;
            }
        }
    }
    return ChooserDialog::eventFilter(watched, event);
}

} // namespace pellandor
