// What the main window shows of the memory image, and the command that makes
// the image anew.
#include "engine/config_bytes.h"
#include "mainwindow/grid_text.h"
#include "mainwindow/hex_grid_widget.h"
#include "mainwindow/main_window.h"
#include "startup/controls_widget.h"

namespace pellandor {

void Form1::updatedisplay() {
    const selected_model& model = state_.model;
    label_ime->setText(to_qstring(model.model_name));
    label_info->setText(to_qstring(sizes_line(model.flash_size, model.eeprom_size)));
    tabla_flash->set_text({});
    tabla_eeprom->set_text({});
    for (ClickLabel* field : label_conf) {
        field->clear();
    }
    yield();
    // The buffers are read afresh after the yield: a step may have changed them.
    const memory_image& image = state_.image;
    tabla_flash->set_text(model.flash_size >= 1 ? flash_grid_text(image.flash_buffer,
                                                                  model.flash_size, scrl1->value())
                                                : std::string());
    tabla_eeprom->set_text(
        model.eeprom_size >= 1
            ? eeprom_grid_text(image.eeprom_buffer, model.eeprom_size, scrl2->value())
            : std::string());
    for (std::size_t i = 0; i < label_conf.size(); ++i) {
        const std::int32_t value = image_config_byte(state_.image, static_cast<config_byte>(i));
        label_conf[i]->setText(to_qstring(config_field_text(value)));
    }
    yield();
}

void Form1::menuclear_Click() {
    disable();
    reset_memory_image(state_.image, state_.model);
    updatedisplay();
    label_hex->clear();
    label_status->clear();
    enable();
    // Lowering the maxima brings both grids back to their first line, each
    // through its change event.
    scrl1->setMaximum(0);
    scrl2->setMaximum(0);
    if (state_.model.flash_size > 0) {
        scrl1->setMaximum(flash_scroll_max(state_.model.flash_size));
    }
    if (state_.model.eeprom_size > 0) {
        scrl2->setMaximum(eeprom_scroll_max(state_.model.eeprom_size));
    }
    scrl2->setFocus();
    scrl1->setFocus();
}

void Form1::scroll_changed() {
    updatedisplay();
}

void Form1::scroll_dragged() {
    yield();
    updatedisplay();
}

} // namespace pellandor
