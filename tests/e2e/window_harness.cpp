#include "window_harness.h"

#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include "e2e_support.h"
#include "startup/controls_widget.h"
#include "startup/text_value.h"
#include "support/com_ports.h"

namespace pellandor::e2e {

window_harness::window_harness() {
    testing::link_no_com_ports();
    state.app_path = "/opt/pellandor/";
    state.devices = shipped_devices();
}

window_harness::~window_harness() = default;

Form1& window_harness::load(int model_index, int port_number) {
    backend.texts[setting::microcontroller_model] = decimal_text(std::int64_t{model_index});
    backend.numbers[setting::serial_port_number] = port_number;
    form_.reset();
    form_ = std::make_unique<Form1>(state, settings_, boxes_, boxes_, files);
    form_->Form_Load();
    return *form_;
}

bool run_until(const std::function<bool()>& done, int timeout_ms, int poll_ms) {
    if (done()) {
        return true;
    }
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    poll.start(poll_ms);
    QTimer::singleShot(timeout_ms, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

bool idle(Form1& window) {
    return !window.engine().running() && window.Command1->isEnabled();
}

std::string progress(Form1& window) {
    return "step " + decimal_text(std::int64_t{window.engine().instr_ptr()}) + ", status \"" +
           from_qstring(window.label_status->text()) + "\"";
}

} // namespace pellandor::e2e
