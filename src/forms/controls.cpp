#include "forms/controls.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <qdrawutil.h>
#include <QHash>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace forms {

namespace {
// One palette per face colour for the whole run. The style caches the faces it draws under the palette's
// key; a palette made for each button or each paint would add faces to that cache at every opening.
const QPalette& facePalette(const QColor& color) {
    static QHash<QRgb, QPalette> palettes;
    auto it = palettes.constFind(color.rgba());
    if (it == palettes.constEnd()) {
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Button, color);
        it = palettes.insert(color.rgba(), palette);
    }
    return *it;
}

// The caret's blink is one setting for the whole application, shown only by the box with the focus.
void restoreBlink() {
    static const int blinkMs = QApplication::cursorFlashTime();
    if (QApplication::cursorFlashTime() != blinkMs)
        QApplication::setCursorFlashTime(blinkMs);
}

// A click is a press and a release of the left button over the same control.
bool releasedInside(const QWidget* widget, const QMouseEvent* event) {
    return event->button() == Qt::LeftButton && widget->rect().contains(event->position().toPoint());
}
} // namespace

// ---- Keys ------------------------------------------------------------------------------------------------

namespace {
// The last key release the windows saw. Only the window system's own keys are compared: they carry the
// key's scan code and the server's time.
struct Release {
    int key = 0;
    quint32 scanCode = 0;
    quint64 time = 0;
};
Release& lastRelease() {
    static Release release;
    return release;
}
} // namespace

void keyReleased(const QKeyEvent* event) {
    lastRelease() = {event->key(), event->nativeScanCode(), event->timestamp()};
}

bool isRepeat(const QKeyEvent* event) {
    const Release& last = lastRelease();
    return event->isAutoRepeat() ||
           (event->nativeScanCode() != 0 && event->key() == last.key &&
            event->nativeScanCode() == last.scanCode && event->timestamp() == last.time);
}

// ---- ClickArea -------------------------------------------------------------------------------------------

bool ClickArea::answersClicks() const {
    return isSignalConnected(QMetaMethod::fromSignal(&ClickArea::clicked));
}

namespace {
// A control without a window of its own: a button where a click does something, else the caption or the
// picture it shows. A label is named by its caption unless it has a name of its own.
class ClickAreaAccessible : public QAccessibleWidget {
public:
    explicit ClickAreaAccessible(ClickArea* area)
        : QAccessibleWidget(area) {}

    QAccessible::Role role() const override {
        if (area()->answersClicks())
            return QAccessible::Button;
        return qobject_cast<const Label*>(area()) != nullptr ? QAccessible::StaticText : QAccessible::Graphic;
    }
    QString text(QAccessible::Text kind) const override {
        const auto* label = qobject_cast<const Label*>(area());
        if (kind == QAccessible::Name && area()->accessibleName().isEmpty() && label != nullptr)
            return label->spokenCaption();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override {
        return area()->answersClicks() ? QStringList{pressAction()} : QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        // The screen reader waits for the answer to its press; a click that opens a modal window (the main
        // menu's stop sign) returns only when that window closes, so the click comes after the answer.
        if (action == pressAction() && area()->answersClicks())
            QTimer::singleShot(0, area(), [area = area()] { emit area->clicked(); });
        else
            QAccessibleWidget::doAction(action);
    }

private:
    ClickArea* area() const { return static_cast<ClickArea*>(widget()); }
};
} // namespace

QAccessibleInterface* accessibleControl(const QString&, QObject* object) {
    auto* area = qobject_cast<ClickArea*>(object);
    return area != nullptr ? new ClickAreaAccessible(area) : nullptr;
}

bool isDecoration(const QWidget* control) {
    const auto* image = qobject_cast<const Image*>(control);
    return qobject_cast<const Line*>(control) != nullptr ||
           (image != nullptr && image->accessibleName().isEmpty() && !image->answersClicks());
}

void ClickArea::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
}

void ClickArea::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && releasedInside(this, event);
    m_pressed = false;
    if (click)
        emit clicked();
}

// ---- Label -----------------------------------------------------------------------------------------------

Label::Label(QWidget* parent, QRect geometry)
    : ClickArea(parent)
    , m_backColor(palette().color(QPalette::Window)) {
    setGeometry(geometry);
}

Label::Label(QWidget* parent, QRect geometry, const QFont& font, Qt::Alignment alignment,
             const QString& caption)
    : Label(parent, geometry) {
    setFont(font);
    setAlignment(alignment);
    setCaption(caption);
}

void Label::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    // A label is read by its caption; a screen reader that is listening hears of the change.
    if (QAccessible::isActive() && accessibleName().isEmpty()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void Label::setSpokenCaption(std::function<QString(const QString&)> spoken) {
    m_spoken = std::move(spoken);
}

QString Label::spokenCaption() const {
    return m_spoken ? m_spoken(m_caption) : m_caption;
}

void Label::setForeColor(const QColor& color) {
    m_foreColor = color;
    update();
}

void Label::setBackColor(const QColor& color) {
    m_backColor = color;
    update();
}

void Label::setTransparent(bool transparent) {
    m_transparent = transparent;
    update();
}

void Label::setAlignment(Qt::Alignment horizontal) {
    m_alignment = horizontal & Qt::AlignHorizontal_Mask;
    update();
}

void Label::setBorder(bool single) {
    m_border = single;
    update();
}

void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), m_backColor);
    QRect textRect = rect();
    if (m_border) {
        qDrawShadePanel(&painter, rect(), palette(), true, 1);
        textRect.adjust(3, 1, -3, -1);
    }
    painter.setFont(font());
    painter.setPen(isEnabled() ? m_foreColor : palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(textRect, int(m_alignment | Qt::AlignTop) | Qt::TextWordWrap, m_caption);
}

// ---- Image -----------------------------------------------------------------------------------------------

Image::Image(QWidget* parent, QRect geometry)
    : ClickArea(parent)
    , m_layoutSize(geometry.size()) {
    setGeometry(geometry);
}

void Image::setPicture(const Picture& picture) {
    m_picture = picture;
    fitToPicture();
    update();
}

void Image::setStretch(bool stretch) {
    m_stretch = stretch;
    fitToPicture();
    update();
}

void Image::fitToPicture() {
    // A stretched image keeps its size; otherwise the picture's own size rules, or the layout size if empty.
    if (m_stretch)
        return;
    const QPixmap pixmap = m_picture.natural();
    resize(pixmap.isNull() ? m_layoutSize : Picture::layoutSize(pixmap));
}

QPixmap Image::shownPixmap() const {
    return m_stretch ? m_picture.forSize(size()) : m_picture.natural();
}

void Image::paintEvent(QPaintEvent*) {
    const QPixmap pixmap = shownPixmap();
    if (pixmap.isNull())
        return;
    QPainter painter(this);
    if (m_stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), pixmap);
    } else {
        painter.drawPixmap(0, 0, pixmap);
    }
}

// ---- TextBox ---------------------------------------------------------------------------------------------

TextBox::TextBox(QWidget* parent, QRect geometry)
    : QLineEdit(parent) {
    setGeometry(geometry);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text == m_last)
            return;
        m_last = text;
        emit change();
    });
    m_caretRest.setSingleShot(true);
    m_caretRest.setInterval(CaretRestMs);
    connect(&m_caretRest, &QTimer::timeout, this, [this] {
        if (hasFocus())
            QApplication::setCursorFlashTime(0); // the caret stays shown
    });
}

bool TextBox::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::InputMethod:
        wakeCaret();
        break;
    case QEvent::FocusOut:
        // Without the focus it shows no caret; whichever box has it next blinks as usual.
        m_caretRest.stop();
        restoreBlink();
        break;
    default:
        break;
    }
    return QLineEdit::event(event);
}

void TextBox::wakeCaret() {
    restoreBlink();
    m_caretRest.start();
}

void TextBox::setText(const QString& text) {
    if (text == this->text() && !hasSelectedText() && cursorPosition() == text.size())
        return;
    if (!text.isEmpty() && hasFocus())
        wakeCaret(); // a letter put in by a click is the box in use too
    QLineEdit::setText(text);
}

// ---- CommandButton ---------------------------------------------------------------------------------------

CommandButton::CommandButton(QWidget* parent, QRect geometry, const QString& caption)
    : QPushButton(caption, parent) {
    setGeometry(geometry);
    setAutoDefault(false);
}

void CommandButton::setGraphical(bool graphical) {
    m_graphical = graphical;
    update();
}

void CommandButton::setPicture(const Picture& picture) {
    m_picture = picture;
    update();
}

void CommandButton::setBackColor(const QColor& color) {
    m_backColor = color;
    update();
}

bool CommandButton::event(QEvent* event) {
    // Qt's access key clicks through a 100 ms animation, and a second access key typed meanwhile finds no
    // button; a classic access key focuses and clicks its button at once, within the key's own event.
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->key() == this->shortcut() && !shortcut->isAmbiguous()) {
            if (isEnabled()) {
                if (focusPolicy() != Qt::NoFocus)
                    setFocus(Qt::ShortcutFocusReason);
                click();
            }
            return true;
        }
    }
    return QPushButton::event(event);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    // Classic buttons answer Enter when they have the focus, default button or not; once per press, so
    // a held key does not click again and again.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!isRepeat(event))
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::paintEvent(QPaintEvent* event) {
    if (!m_graphical) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    if (m_backColor.isValid()) {
        const QPalette::ColorGroup group = option.palette.currentColorGroup();
        option.palette = facePalette(m_backColor);
        option.palette.setCurrentColorGroup(group);
    }
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown())
        face.translate(1, 1);
    painter.setClipRect(face);

    // The caption sits at the bottom of the face; the picture is centred in what is left above it, and a
    // picture larger than the face is clipped rather than hiding the caption.
    const int captionHeight = text().isEmpty() ? 0 : fontMetrics().height();
    const QRect pictureArea = face.adjusted(0, 0, 0, -captionHeight);
    const QPixmap pixmap = m_picture.natural();
    if (!pixmap.isNull()) {
        const QSize size = Picture::layoutSize(pixmap);
        const QPoint topLeft(pictureArea.x() + (pictureArea.width() - size.width()) / 2,
                             pictureArea.y() + (pictureArea.height() - size.height()) / 2);
        if (!isEnabled())
            painter.setOpacity(0.5);
        painter.drawPixmap(topLeft, pixmap);
        painter.setOpacity(1.0);
    }
    if (captionHeight > 0) {
        const QRect captionRect(face.left(), face.bottom() + 1 - captionHeight, face.width(), captionHeight);
        style()->drawItemText(&painter, captionRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                              isEnabled(), text(), QPalette::ButtonText);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face.adjusted(1, 1, -1, -1);
        painter.setClipping(false);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

// ---- Line ------------------------------------------------------------------------------------------------

Line::Line(QWidget* parent, QPoint from, QPoint to, int widthPx, const QColor& color)
    : QWidget(parent)
    , m_from(from)
    , m_to(to)
    , m_width(std::max(1, widthPx))
    , m_color(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int margin = m_width;
    setGeometry(QRect(from, to).normalized().adjusted(-margin, -margin, margin, margin));
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(m_color, m_width);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.translate(-pos());
    if (m_width == 1)
        painter.drawLine(m_from, m_to);
    else
        painter.drawLine(QPointF(m_from) + QPointF(0.5, 0.5), QPointF(m_to) + QPointF(0.5, 0.5));
}

// ---- Timer -----------------------------------------------------------------------------------------------

Timer::Timer(QObject* parent, int intervalMs, bool enabled)
    : QObject(parent) {
    // A child, so that unloading the window finds it among the window's timers and stops it at once.
    m_timer.setParent(this);
    // Qt's default coarse timers may tick up to 5 % early; the windows' timings are exact.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Timer::timer);
    if (enabled)
        m_timer.start();
}

void Timer::setEnabled(bool enabled) {
    if (enabled)
        m_timer.start();
    else
        m_timer.stop();
}

} // namespace forms
