// The classic controls the window designs are made of: transparent labels that wrap between words,
// images that take their picture's size, a text box that reports only real changes, graphical buttons,
// lines, timers and control arrays addressed by Index.
#pragma once

#include "forms/pictures.h"

#include <functional>
#include <QColor>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <vector>

class QAccessibleInterface;
class QKeyEvent;

namespace forms {

// A windowless control that answers clicks: a press and a release of the left button over it.
class ClickArea : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // Whether a handler answers its clicks: then a screen reader presents it as a button.
    bool answersClicks() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

// Whether a key press only repeats a held key. Qt tells a repeat by the press that comes with a release at
// one time, and looks for it as the release arrives: under load the press may not have arrived yet, and a
// repeat passes for a new press. The window runtime shows this every key release of its windows, and a
// press at the time of its key's last release counts as a repeat too.
bool isRepeat(const QKeyEvent* event);
void keyReleased(const QKeyEvent* event);

// The accessible interface of the windowless controls (installed with QAccessible::installFactory).
QAccessibleInterface* accessibleControl(const QString& className, QObject* object);
// Whether a control only decorates, so that a screen reader passes over it: a line, or a picture with
// neither a name nor a click.
bool isDecoration(const QWidget* control);

// A caption drawn from the top of its rectangle, wrapped between words, on its back colour or transparent.
class Label : public ClickArea {
    Q_OBJECT
public:
    Label(QWidget* parent, QRect geometry);
    Label(QWidget* parent, QRect geometry, const QFont& font, Qt::Alignment alignment = Qt::AlignLeft,
          const QString& caption = {});

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& color);
    void setBackColor(const QColor& color);
    void setTransparent(bool transparent);
    bool isTransparent() const { return m_transparent; }
    void setAlignment(Qt::Alignment horizontal);
    void setBorder(bool single);
    // What a screen reader reads where the caption alone would not say it (a bare count, an empty slot):
    // made from the caption only when it is read.
    void setSpokenCaption(std::function<QString(const QString& caption)> spoken);
    QString spokenCaption() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    std::function<QString(const QString&)> m_spoken;
    QColor m_foreColor = Qt::black;
    QColor m_backColor;
    bool m_transparent = false;
    bool m_border = false;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};

// A picture without a window of its own. Unless stretched it takes its picture's size, top-left corner
// fixed; with no picture it keeps its layout size and still takes clicks there.
class Image : public ClickArea {
    Q_OBJECT
public:
    Image(QWidget* parent, QRect geometry);

    void setPicture(const Picture& picture);
    const Picture& picture() const { return m_picture; }
    void setStretch(bool stretch);
    bool stretch() const { return m_stretch; }
    // What is drawn: the stretched or natural image of the picture.
    QPixmap shownPixmap() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fitToPicture();

    Picture m_picture;
    QSize m_layoutSize;
    bool m_stretch = false;
};

// A one-line text box whose change event fires only when its text really changes, whether typed or set.
// Its caret blinks while the box is in use and rests, shown, after a few quiet seconds: each blink
// repaints the box and sends it to the window system, which would keep an idle program awake.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    TextBox(QWidget* parent, QRect geometry);

    // Setting the text it already shows changes nothing, so it repaints nothing either (a timer that
    // empties an empty box must not keep the program busy).
    void setText(const QString& text);

    static constexpr int CaretRestMs = 4000;

signals:
    void change();

protected:
    bool event(QEvent* event) override;

private:
    void wakeCaret();

    QString m_last;
    QTimer m_caretRest;
};

// A command button. The graphical style draws a picture centred on its face, above the caption, clipped by
// the face; both stay visible. Enter and Space click it when it has the focus.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(QWidget* parent, QRect geometry, const QString& caption = {});

    void setGraphical(bool graphical);
    bool isGraphical() const { return m_graphical; }
    void setPicture(const Picture& picture);
    const Picture& picture() const { return m_picture; }
    void setBackColor(const QColor& color);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Picture m_picture;
    QColor m_backColor;
    bool m_graphical = false;
};

// A line drawn on the window between two points of the client area; it takes no input.
class Line : public QWidget {
    Q_OBJECT
public:
    Line(QWidget* parent, QPoint from, QPoint to, int widthPx = 1, const QColor& color = Qt::black);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_from;
    QPoint m_to;
    int m_width;
    QColor m_color;
};

// An event-loop timer with the classic Interval and Enabled. Enabling it starts its count afresh.
class Timer : public QObject {
    Q_OBJECT
public:
    Timer(QObject* parent, int intervalMs, bool enabled);

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }

signals:
    void timer();

private:
    QTimer m_timer;
};

// Like controls sharing one name and one handler, addressed by Index from 0.
template <class T> class ControlArray {
public:
    T* operator()(int index) const { return m_items.at(std::size_t(index)); }
    int count() const { return int(m_items.size()); }
    void clear() { m_items.clear(); }
    void append(T* control) { m_items.emplace_back(control); }

private:
    std::vector<QPointer<T>> m_items;
};

} // namespace forms
