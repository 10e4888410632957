#include "startup/message_box_form.h"

#include <QClipboard>
#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextOption>

#include <cmath>

#include "startup/controls_widget.h"
#include "startup/message_box.h"
#include "startup/word_breaking.h"

namespace pellandor {

namespace {

const char* const copy_tip = "Click to copy to Clipboard...";

// The text box's tab stops: eight average characters apart, so that the
// columns of a table written with TABs line up.
QTextOption text_option(const QFont& font, bool centred) {
    QTextOption option((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(8 * QFontMetricsF(font).averageCharWidth());
    return option;
}

// The text fills its box from top to bottom but keeps a little distance
// from its sides, as an edit control's text does.
void set_text(QTextDocument& document, const QTextOption& option, const QString& text) {
    document.setDefaultTextOption(option);
    document.setPlainText(text);
    document.setDocumentMargin(0);
    QTextFrameFormat format = document.rootFrame()->frameFormat();
    format.setLeftMargin(2);
    format.setRightMargin(2);
    document.rootFrame()->setFrameFormat(format);
}

// The height of a text laid out as the text box lays it out.
int laid_out_height(const QFont& font, const QTextOption& option, int width, const QString& text) {
    QTextDocument document;
    document.setDefaultFont(font);
    document.setTextWidth(width);
    set_text(document, option, text);
    return static_cast<int>(std::ceil(document.size().height()));
}

// The message as the box shows and copies it, its long words broken after
// the platform's folder separator.
QString shown_text(const std::string& text) {
    return lines_to_qstring(break_long_words(text, QDir::separator().toLatin1()));
}

QLabel* make_picture(QWidget& form, const char* name, QStyle::StandardPixmap icon) {
    auto* picture = new QLabel(&form);
    picture->setObjectName(QString::fromLatin1(name));
    set_geometry(*picture, {60, 60, 720, 720});
    // The style may have the icon only smaller: it is drawn at 48 px all the same.
    picture->setPixmap(form.style()->standardIcon(icon).pixmap(48, 48).scaled(
        48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture->setAlignment(Qt::AlignCenter);
    picture->hide();
    return picture;
}

} // namespace

Form08::Form08(const theme_colors& theme) : theme_(theme) {
    surface = make_dialog_frame(*this, QStringLiteral("My Msg Box"), 6615, 915);

    lab_title = new ClickLabel(this);
    lab_title->setObjectName(QStringLiteral("lab_title"));
    set_geometry(*lab_title, {900, 120, 5655, 315});
    lab_title->setFont(sans_font(9));
    lab_title->setWordWrap(true);
    lab_title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lab_title->setToolTip(QString::fromLatin1(copy_tip));
    connect(lab_title, &ClickLabel::clicked, this, &Form08::copy_text);

    txt_title = new QTextEdit(this);
    txt_title->setObjectName(QStringLiteral("txt_title"));
    txt_title->setFont(sans_font(9));
    txt_title->setReadOnly(true);
    txt_title->setTextInteractionFlags(Qt::NoTextInteraction);
    txt_title->setFocusPolicy(Qt::StrongFocus);
    txt_title->setFrameShape(QFrame::NoFrame);
    txt_title->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txt_title->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txt_title->setToolTip(QString::fromLatin1(copy_tip));
    txt_title->setGeometry(lab_title->geometry());

    img_ok = make_picture(*this, "img_ok", QStyle::SP_DialogApplyButton);
    img_ask = make_picture(*this, "img_ask", QStyle::SP_MessageBoxQuestion);
    img_err = make_picture(*this, "img_err", QStyle::SP_MessageBoxCritical);
    img_info = make_picture(*this, "img_info", QStyle::SP_MessageBoxInformation);

    Command1 = add_button(*this, QStringLiteral("OK"), {5700, 540, 855, 315});
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &Form08::Command1_Click);
    Command2 = add_button(*this, QStringLiteral("No"), {4800, 540, 855, 315});
    Command2->hide();
    connect(Command2, &QPushButton::clicked, this, &Form08::Command2_Click);

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, txt_title);
    Command1->setFocus();

    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
    settheme();
}

void Form08::set_message(const std::string& text, int kind) {
    msg_text_ = text;
    msg_kind_ = kind;
}

void Form08::settheme() {
    surface->set_back_color(theme_.col_form_back);
    set_back_color(*lab_title, theme_.col_title_back);
    set_fore_color(*lab_title, theme_.col_title_fore);
    set_text_box_colors(*txt_title, theme_.col_title_back, theme_.col_title_fore);
}

void Form08::prepare_display() {
    bottom_margin_ = height() - Command1->y();
    right_margin_ = width() - Command1->x() - Command1->width();
    const int ok_offset = width() - Command1->x();
    const int no_offset = width() - Command2->x();

    // The label measures the text and the text box, laid over it, shows it:
    // both wrap and expand TABs alike, so the text always fits.
    const QString shown = shown_text(msg_text_);
    const bool centred = msg_text_.find(crlf) == std::string::npos;
    const QTextOption option = text_option(txt_title->font(), centred);
    lab_title->setText(shown);
    lab_title->setAlignment(option.alignment());
    const int text_height = laid_out_height(txt_title->font(), option, lab_title->width(), shown);
    lab_title->resize(lab_title->width(), text_height + dialog_twips(60));
    set_text(*txt_title->document(), option, shown);
    txt_title->setGeometry(lab_title->geometry());

    const int buttons_top = lab_title->y() + lab_title->height() + dialog_twips(105);
    setFixedSize(lab_title->x() + lab_title->width() + right_margin_, buttons_top + bottom_margin_);
    surface->setGeometry(rect());
    Command1->move(width() - ok_offset, buttons_top);
    Command2->move(width() - no_offset, buttons_top);

    switch (msg_kind_) {
    case msgbox_plain:
        img_ok->show();
        break;
    case msgbox_yes_no: {
        img_ask->show();
        Command2->show();
        Command1->setText(QStringLiteral("Yes"));
        const int yes_left = Command2->x();
        Command2->move(Command1->x(), buttons_top);
        Command1->move(yes_left, buttons_top);
        break;
    }
    case msgbox_error:
        img_err->show();
        break;
    case msgbox_information:
        img_info->show();
        break;
    default:
        break;
    }
    centre_on_screen(*this);
}

void Form08::Command1_Click() {
    msg_result_ = msg_kind_ == msgbox_yes_no ? msgbox_yes : msgbox_ok;
    done(msg_result_);
}

void Form08::Command2_Click() {
    msg_result_ = msgbox_no;
    done(msg_result_);
}

void Form08::reject() {
    if (msg_kind_ == msgbox_yes_no) {
        Command2_Click();
    } else {
        Command1_Click();
    }
}

bool Form08::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Upper and lower case alike: the shift state is not looked at.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_N) {
            Command2_Click();
            return true;
        }
        if (key == Qt::Key_Y || key == Qt::Key_Z) {
            Command1_Click();
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        if (watched == txt_title) {
            Command1->setFocus();
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == txt_title->viewport()) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                txt_title->viewport()->rect().contains(mouse->position().toPoint())) {
                copy_text();
            }
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void Form08::copy_text() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return;
    }
    clipboard->clear();
    clipboard->setText(shown_text(msg_text_));
}

} // namespace pellandor
