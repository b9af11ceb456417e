// Form1: builds the window's controls and runs the six commands and the load procedure.
#include "window/form1.h"

#include "window/report_error.h"
#include "window/text_box_lines.h"

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

#include <array>
#include <exception>
#include <iterator>
#include <utility>

#include "window/brelvix_icon.xpm"

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
constexpr QStringView lineFeed = u"\n";

QFont buttonFont() {
    QFont font;
    // The Windows family first; IPA P Gothic carries the full-width captions where that one is missing.
    font.setFamilies(
        {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")});
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

// Runs `steps` up to the first failure and reports that failure; what was done before it stays done.
// Returns whether every step succeeded.
template <typename Steps>
bool reportAndStop(QWidget* owner, Steps&& steps) {
    try {
        std::forward<Steps>(steps)();
        return true;
    } catch (const std::exception& failure) {
        reportError(owner, QString::fromUtf8(failure.what()));
    } catch (...) {
        reportError(owner, QStringLiteral("An unknown failure occurred."));
    }
    return false;
}

// Runs one step; should it fail, the failure is dropped unseen and the caller goes on with its next step.
template <typename Step>
void skipOnFailure(Step&& step) {
    try {
        std::forward<Step>(step)();
    } catch (...) {
    }
}

} // namespace

Form1::Form1(Clipboard& clipboard, LoadSteps loadSteps)
    : clipboard_(clipboard)
    , loadSteps_(std::move(loadSteps)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Brelvix for Access "));
    setWindowIcon(QIcon(QPixmap(brelvix_icon_xpm)));
    // The window has a fixed size, so a maximise box would do nothing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(clientSize);

    createTextBoxes();
    createButtons();
    arrangeTabOrder();
    connectButtons();
    centreOnScreen();
    Text1->setFocus();
}

void Form1::createTextBoxes() {
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

void Form1::createButtons() {
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

void Form1::arrangeTabOrder() {
    QWidget* const order[] = {Text1, Command1, Command2, Command3, Command4,
                              Text2, Command5, Command6, Text3};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void Form1::connectButtons() {
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
}

void Form1::centreOnScreen() {
    setGeometry(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, clientSize, screen()->availableGeometry()));
}

QPlainTextEdit* Form1::createMultiLineBox(const QString& name, const QString& accessibleName,
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

QLineEdit* Form1::createSingleLineBox(const QString& name, const QString& accessibleName, const QRect& place,
                                      const QColor& background) {
    return placeTextBox(new QLineEdit(this), name, accessibleName, place, background);
}

QPushButton* Form1::createButton(const QString& name, const QString& caption, const QString& accessibleName,
                                 const QRect& place) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAccessibleName(accessibleName);
    button->setGeometry(place);
    button->setFont(buttonFont());
    // Enter and Esc click no button, whatever has the focus.
    button->setAutoDefault(false);
    return button;
}

bool Form1::Form_Load() {
    return reportAndStop(this, [&] {
        const QString laidOutCaption = windowTitle();
        const AppVersion version = loadSteps_.readVersion();
        setWindowTitle(laidOutCaption + QStringLiteral("(Ver") + QString::number(version.major) + u'.' +
                       QString::number(version.minor) + u'.' + QString::number(version.revision) + u')');
        Command3->setEnabled(false);
        Command6->setEnabled(false);
        Text1->clear();
        Text2->clear();
        layout_ = loadSteps_.createLayout();
    });
}

void Form1::Command1_Click() {
    reportAndStop(this, [&] {
        const WaitCursor busy;
        const std::u16string source = toU16String(boxLines(*Text1, crLf));
        const std::u16string laidOut = layout_->adjustLayout(source);
        Text2->setPlainText(toQString(laidOut));
        Command3->setEnabled(true);
        Command6->setEnabled(true);
    });
}

void Form1::Command2_Click() {
    const WaitCursor busy;
    skipOnFailure([&] { Text1->setPlainText(clipboard_.text()); });
    skipOnFailure([&] { Text2->clear(); });
}

void Form1::Command3_Click() {
    skipOnFailure([&] { clipboard_.clear(); });
    // Qt turns the line feeds into the platform's own line breaks.
    skipOnFailure([&] { clipboard_.setText(boxLines(*Text2, lineFeed)); });
    skipOnFailure([&] { Command2->setEnabled(false); });
}

void Form1::Command4_Click() {
    close();
}

void Form1::Command5_Click() {
    reportAndStop(this, [&] {
        Text1->clear();
        Text2->clear();
        Command2->setEnabled(true);
        Command3->setEnabled(false);
        Command6->setEnabled(false);
        clipboard_.clear();
    });
}

void Form1::Command6_Click() {
    reportAndStop(this, [&] {
        const WaitCursor busy;
        const std::u16string source = toU16String(boxLines(*Text1, crLf));
        const std::u16string laidOut = layout_->addStringLayout(source, toU16String(Text3->text()));
        Text2->setPlainText(toQString(laidOut));
        Command3->setEnabled(true);
        Command6->setEnabled(true);
    });
}

} // namespace brelvix
