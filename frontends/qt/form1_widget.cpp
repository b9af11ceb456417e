// Widgets placed at the design's pixels at 96 DPI, which Qt scales to the screen itself; every click reaches
// the procedures through one dispatch under the wait cursor.
#include "frontends/qt/form1_widget.h"

#include "frontends/qt/text_box_lines.h"
#include "frontends/qt/text_conversion.h"

#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <limits>
#include <utility>

// The icon's resource is compiled into this static library, from which a program's linker takes it only when
// code refers to it; the macro cannot stand in a namespace.
static void initialiseIconResource() {
    Q_INIT_RESOURCE(brelvix_icon);
}

namespace brelvix {

namespace {

constexpr QStringView crLf = u"\r\n";

// Qt scales device-independent pixels to the screen itself; at 96 DPI every designed place is whole pixels.
constexpr int qtPixels(int twips) {
    return twipsToPixels(twips, 96);
}

constexpr QRect toQRect(const TwipsRect& place) {
    return {qtPixels(place.left), qtPixels(place.top), qtPixels(place.width), qtPixels(place.height)};
}

QColor toQColor(const Rgb& colour) {
    return {colour.red, colour.green, colour.blue};
}

QFont buttonFont() {
    const FontDesign& design = form1Design.buttonFont;
    QStringList families;
    for (const std::u16string_view family : design.families) {
        families << toQString(family);
    }
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(design.pointSize);
    // Qt's weights are those of CSS and of Windows alike. Qt has no character sets: it finds the letters in
    // whichever of the families holds them.
    font.setWeight(static_cast<QFont::Weight>(design.weight));
    return font;
}

// Alt with a letter or digit is an access key. Where no enabled button takes it, a text box would type the
// character instead; the key must then do nothing at all.
class AccessKeyGuard final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && isUnclaimedAccessKey(*static_cast<QKeyEvent*>(event))) {
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static bool isUnclaimedAccessKey(const QKeyEvent& key) {
        // Ctrl with Alt is AltGr on Windows, which types characters of its own.
        const bool altAlone =
            key.modifiers().testFlag(Qt::AltModifier) && !key.modifiers().testFlag(Qt::ControlModifier);
        const QString text = key.text();
        return altAlone && text.size() == 1 && text[0].unicode() < 0x80 && text[0].isLetterOrNumber();
    }
};

// Shows `shape` over every window of the program for as long as it lives.
class OverrideCursor {
public:
    explicit OverrideCursor(Qt::CursorShape shape) { QGuiApplication::setOverrideCursor(shape); }
    ~OverrideCursor() { QGuiApplication::restoreOverrideCursor(); }
    OverrideCursor(const OverrideCursor&) = delete;
    OverrideCursor& operator=(const OverrideCursor&) = delete;
};

QWidget* createBox(const BoxDesign& design, QWidget* parent) {
    QWidget* box = nullptr;
    if (design.multiLine) {
        auto* lines = new QPlainTextEdit(toQString(design.text), parent);
        lines->setLineWrapMode(QPlainTextEdit::NoWrap);
        lines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        lines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        lines->setTabChangesFocus(true);
        // A query can run to megabytes on one line; skipping the shaping that Latin text does not need
        // halves the time Qt takes to lay such a line out, and scripts that need shaping still get it.
        QFont font = lines->font();
        font.setStyleStrategy(QFont::PreferNoShaping);
        lines->setFont(font);
        box = lines;
    } else {
        auto* line = new QLineEdit(toQString(design.text), parent);
        // Qt's own limit of 32,767 characters would cut a long prefix without a word.
        line->setMaxLength(std::numeric_limits<int>::max());
        box = line;
    }
    box->setObjectName(toQString(design.name));
    box->setAccessibleName(toQString(design.accessibleName));
    box->setGeometry(toQRect(design.place));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, toQColor(design.background));
    palette.setColor(QPalette::Text, toQColor(design.textColour));
    box->setPalette(palette);
    return box;
}

} // namespace

Form1Widget::Form1Widget(Clipboard& clipboard, LoadSteps loadSteps)
    : procedures_(*this, clipboard, std::move(loadSteps)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(form1Design.title));
    initialiseIconResource();
    setWindowIcon(QIcon(QStringLiteral(":/icons/brelvix.png")));
    // The window has a fixed size, so a maximise box would do nothing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(qtPixels(form1Design.clientWidth), qtPixels(form1Design.clientHeight));

    createTextBoxes();
    createButtons();
    arrangeTabOrder();
    placeOnScreen();
    control(form1Design.tabOrder.front())->setFocus();
}

void Form1Widget::createTextBoxes() {
    auto* accessKeyGuard = new AccessKeyGuard(this);
    for (const BoxDesign& design : form1Design.boxes) {
        QWidget* box = createBox(design, this);
        box->installEventFilter(accessKeyGuard);
        boxes_.at(static_cast<std::size_t>(design.box)) = box;
    }
}

void Form1Widget::createButtons() {
    const QFont font = buttonFont();
    for (const ButtonDesign& design : form1Design.buttons) {
        auto* button = new QPushButton(toQString(design.caption), this);
        button->setObjectName(toQString(design.name));
        button->setAccessibleName(toQString(design.accessibleName));
        button->setGeometry(toQRect(design.place));
        button->setFont(font);
        // Enter and Esc click no button, whatever has the focus.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, which = design.button] { dispatchClick(which); });
        buttons_.at(static_cast<std::size_t>(design.button) - 1) = button;
    }
}

void Form1Widget::arrangeTabOrder() {
    QWidget* previous = nullptr;
    for (const TabStop& stop : form1Design.tabOrder) {
        QWidget* next = control(stop);
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    }
}

void Form1Widget::placeOnScreen() {
    const QRect available = screen()->availableGeometry();
    const QRect centred = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), available);
    if (available.contains(centred)) {
        setGeometry(centred);
        return;
    }
    // A window that cannot be made smaller must not start with its title bar or its first button beyond a
    // small or scaled screen's edge: the corner of its frame stays inside the available area.
    move(std::max(centred.left(), available.left()), std::max(centred.top(), available.top()));
}

QWidget* Form1Widget::control(TabStop stop) const {
    if (const auto* box = std::get_if<TextBox>(&stop)) {
        return boxes_.at(static_cast<std::size_t>(*box));
    }
    return buttons_.at(static_cast<std::size_t>(std::get<CommandButton>(stop)) - 1);
}

bool Form1Widget::load() {
    return procedures_.Form_Load();
}

void Form1Widget::dispatchClick(CommandButton button) {
    const OverrideCursor busy(Qt::WaitCursor);
    procedures_.click(button);
}

std::u16string Form1Widget::text(TextBox box) const {
    QWidget* control = boxes_.at(static_cast<std::size_t>(box));
    if (const auto* lines = qobject_cast<const QPlainTextEdit*>(control)) {
        return toU16String(boxLines(*lines, crLf));
    }
    return toU16String(static_cast<const QLineEdit*>(control)->text());
}

void Form1Widget::setText(TextBox box, std::u16string_view text) {
    QWidget* control = boxes_.at(static_cast<std::size_t>(box));
    if (auto* lines = qobject_cast<QPlainTextEdit*>(control)) {
        lines->setPlainText(toQString(text));
    } else {
        static_cast<QLineEdit*>(control)->setText(toQString(text));
    }
}

void Form1Widget::setEnabled(CommandButton button, bool enabled) {
    buttons_.at(static_cast<std::size_t>(button) - 1)->setEnabled(enabled);
}

std::u16string Form1Widget::caption() const {
    return toU16String(windowTitle());
}

void Form1Widget::setCaption(std::u16string_view caption) {
    setWindowTitle(toQString(caption));
}

void Form1Widget::reportError(std::u16string_view description) {
    // The wait cursor of the command that failed must not stand over the box the user has to answer.
    const OverrideCursor answerable(Qt::ArrowCursor);
    QMessageBox box(QMessageBox::Critical, toQString(form1Design.messageBoxTitle), toQString(description),
                    QMessageBox::Ok, this);
    // A description is whatever a failure says; text that happens to look like markup must show as written.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void Form1Widget::unload() {
    close();
}

} // namespace brelvix
