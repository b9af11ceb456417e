// Form1 on Qt: builds the window's controls, maps them onto the procedures' view of them, and runs a
// procedure for each click.
#include "frontends/qt/form1_widget.h"

#include "frontends/qt/report_error.h"
#include "frontends/qt/text_box_lines.h"
#include "packaging/icon_files.h"

#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <utility>

namespace brelvix {

namespace {

constexpr QSize clientSize{661, 529};

// Places are designed in twips; at 96 dots per inch fifteen of them make a pixel.
constexpr QRect fromTwips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

const QColor lime{0x00, 0xFF, 0x00};
const QColor yellow{0xFF, 0xFF, 0x00};

constexpr QStringView crLf = u"\r\n";

QFont buttonFont() {
    QFont font;
    // The Windows family first; where it is missing, any of the Japanese fonts the package may bring carries
    // the full-width captions, which most other fonts lack.
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("VL PGothic")});
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    return font;
}

// Names a text box, puts it in its place and colours it: black text on `background`.
template <typename Box>
Box* placeTextBox(Box* box, const QString& name, const QString& accessibleName, const QRect& place,
                  const QColor& background) {
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    box->setGeometry(place);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, Qt::black);
    box->setPalette(palette);
    return box;
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

// Shows the wait cursor for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

Form1Widget::Form1Widget(Clipboard& clipboard, LoadSteps loadSteps)
    : procedures_(*this, clipboard, std::move(loadSteps)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Brelvix for Access "));
    setWindowIcon(QIcon(QPixmap::fromImage(toQImage(sourceIcon()))));
    // The window has a fixed size, so a maximise box would do nothing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(clientSize);

    createTextBoxes();
    createButtons();
    arrangeTabOrder();
    connectButtons();
    placeOnScreen();
    Text1->setFocus();
}

void Form1Widget::createTextBoxes() {
    Text1 = createMultiLineBox(QStringLiteral("Text1"), QStringLiteral("Source SQL"),
                               fromTwips(135, 180, 9645, 1545), Qt::white);
    Text1->setPlainText(QStringLiteral("SELECT Field1, Field2 FROM Table1 WHERE Field1 = 1;"));
    Text2 = createMultiLineBox(QStringLiteral("Text2"), QStringLiteral("Laid-out SQL"),
                               fromTwips(135, 1800, 9645, 5100), lime);
    Text3 = createSingleLineBox(QStringLiteral("Text3"), QStringLiteral("Line prefix"),
                                fromTwips(135, 7020, 9645, 270), yellow);
    Text3->setText(QStringLiteral("strSQL = strSQL & \""));

    auto* accessKeyGuard = new AccessKeyGuard(this);
    const std::array<QWidget*, 3> boxes{Text1, Text2, Text3};
    for (QWidget* box : boxes) {
        box->installEventFilter(accessKeyGuard);
    }
}

void Form1Widget::createButtons() {
    Command1 = createButton(QStringLiteral("Command1"), QStringLiteral("Ａｄｊｕｓｔ (&A)"),
                            QStringLiteral("Adjust"), fromTwips(1755, 7425, 1545, 375));
    Command2 = createButton(QStringLiteral("Command2"), QStringLiteral("Ｐａｓｔ ＣｌｉｐＢｏｒｄ (&V)"),
                            QStringLiteral("Paste from clipboard"), fromTwips(135, 7425, 1545, 375));
    Command3 = createButton(QStringLiteral("Command3"), QStringLiteral("Ｃｏｐｙ ＣｌｉｐＢｏｒｄ (&C)"),
                            QStringLiteral("Copy to clipboard"), fromTwips(3375, 7425, 1545, 375));
    Command4 = createButton(QStringLiteral("Command4"), QStringLiteral("Ｅｘｉｔ (&X)"),
                            QStringLiteral("Exit"), fromTwips(8235, 7425, 1545, 375));
    Command5 = createButton(QStringLiteral("Command5"), QStringLiteral("Ｃｌｅａｒ (&E)"),
                            QStringLiteral("Clear"), fromTwips(4995, 7425, 1545, 375));
    Command6 = createButton(QStringLiteral("Command6"), QStringLiteral("Add String (&S)"),
                            QStringLiteral("Add String"), fromTwips(6615, 7425, 1545, 375));
}

void Form1Widget::arrangeTabOrder() {
    QWidget* const order[] = {Text1, Command1, Command2, Command3, Command4,
                              Text2, Command5, Command6, Text3};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void Form1Widget::connectButtons() {
    connect(Command1, &QPushButton::clicked, this, &Form1Widget::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1Widget::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1Widget::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1Widget::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1Widget::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1Widget::Command6_Click);
}

void Form1Widget::placeOnScreen() {
    const QRect available = screen()->availableGeometry();
    const QRect centred = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, clientSize, available);
    if (available.contains(centred)) {
        setGeometry(centred);
        return;
    }
    // A window that cannot be made smaller must not start with its title bar or its first button beyond a
    // small or scaled screen's edge: the corner of its frame stays inside the available area.
    move(std::max(centred.left(), available.left()), std::max(centred.top(), available.top()));
}

QPlainTextEdit* Form1Widget::createMultiLineBox(const QString& name, const QString& accessibleName,
                                                const QRect& place, const QColor& background) {
    auto* box = placeTextBox(new QPlainTextEdit(this), name, accessibleName, place, background);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    // A query can run to megabytes on one line; skipping the shaping that Latin text does not need halves
    // the time Qt takes to lay such a line out, and scripts that need shaping still get it.
    QFont font = box->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    box->setFont(font);
    return box;
}

QLineEdit* Form1Widget::createSingleLineBox(const QString& name, const QString& accessibleName,
                                            const QRect& place, const QColor& background) {
    auto* box = placeTextBox(new QLineEdit(this), name, accessibleName, place, background);
    // Qt's own limit of 32,767 characters would cut a long prefix without a word.
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

QPushButton* Form1Widget::createButton(const QString& name, const QString& caption,
                                       const QString& accessibleName, const QRect& place) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAccessibleName(accessibleName);
    button->setGeometry(place);
    button->setFont(buttonFont());
    // Enter and Esc click no button, whatever has the focus.
    button->setAutoDefault(false);
    return button;
}

bool Form1Widget::load() {
    return procedures_.Form_Load();
}

void Form1Widget::Command1_Click() {
    const WaitCursor busy;
    procedures_.Command1_Click();
}

void Form1Widget::Command2_Click() {
    const WaitCursor busy;
    procedures_.Command2_Click();
}

void Form1Widget::Command3_Click() {
    procedures_.Command3_Click();
}

void Form1Widget::Command4_Click() {
    procedures_.Command4_Click();
}

void Form1Widget::Command5_Click() {
    procedures_.Command5_Click();
}

void Form1Widget::Command6_Click() {
    const WaitCursor busy;
    procedures_.Command6_Click();
}

std::u16string Form1Widget::text(TextBox box) const {
    switch (box) {
    case TextBox::Text1:
        return toU16String(boxLines(*Text1, crLf));
    case TextBox::Text2:
        return toU16String(boxLines(*Text2, crLf));
    case TextBox::Text3:
        return toU16String(Text3->text());
    }
    return {};
}

void Form1Widget::setText(TextBox box, std::u16string_view text) {
    switch (box) {
    case TextBox::Text1:
        Text1->setPlainText(toQString(text));
        break;
    case TextBox::Text2:
        Text2->setPlainText(toQString(text));
        break;
    case TextBox::Text3:
        Text3->setText(toQString(text));
        break;
    }
}

QPushButton* Form1Widget::button(CommandButton button) const {
    const std::array<QPushButton*, 6> buttons{Command1, Command2, Command3, Command4, Command5, Command6};
    return buttons.at(static_cast<std::size_t>(button) - 1);
}

void Form1Widget::setEnabled(CommandButton which, bool enabled) {
    button(which)->setEnabled(enabled);
}

std::u16string Form1Widget::caption() const {
    return toU16String(windowTitle());
}

void Form1Widget::setCaption(std::u16string_view caption) {
    setWindowTitle(toQString(caption));
}

void Form1Widget::reportError(std::u16string_view description) {
    // The wait cursor of the command that failed must not stand over the box the user has to answer.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    brelvix::reportError(this, toQString(description));
    QGuiApplication::restoreOverrideCursor();
}

void Form1Widget::unload() {
    close();
}

} // namespace brelvix
