// What the model chooser and the theme chooser share: a fixed-size dialog
// frame in the window font, a surface under the entries that carries the
// form's colour, entries and buttons at their places in twips, and the
// dialog's end through its own buttons or through the window manager.
#pragma once

#include <QDialog>
#include <QString>

#include "devices/model_chooser_layout.h"
#include "themes/theme_table.h"

class QPushButton;

namespace pellandor {

class ClickLabel;
class FormSurface;

class ChooserDialog : public QDialog {
    Q_OBJECT

public:
    // Width and height of the client area, in twips.
    ChooserDialog(const QString& caption, int width, int height, QWidget* parent = nullptr);

    // The client area under the entries, painted in the form's colour.
    FormSurface* surface = nullptr;

protected:
    ClickLabel* add_entry(const twips_rect& place, const QString& caption);
    QPushButton* add_button(const QString& text, int left, int top);
    void set_client_height(int height);
    // The selection colours for the marked entry, the field colours otherwise.
    static void paint_entry(ClickLabel& entry, bool marked, const theme_colors& theme);

    // Hides the dialog and lets the event loop run once before the caller
    // stores anything.
    void hide_and_yield();
    // Ends the dialog; the modal show returns.
    void unload(int result);

    // A close by the window manager, not through the dialog's own buttons.
    virtual void closed_from_outside() = 0;

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool unloaded_ = false;
};

} // namespace pellandor
