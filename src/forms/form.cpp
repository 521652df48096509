#include "forms/form.h"

#include "forms/controls.h"
#include "forms/platform.h"
#include "forms/units.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHash>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {
// Alt with a letter is an access key, of a button or of a menu title, and counts once per press as a held
// Enter does: a child leaning on Alt+G would otherwise bring the sad face back each time it closes.
bool isRepeatedAccessKey(const QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return forms::isRepeat(key) && key->modifiers().testFlag(Qt::AltModifier);
}

// The area below any menu bar: the window's background colour and picture, and the parent of every control.
class ClientArea : public QWidget {
    Q_OBJECT
public:
    ClientArea(QWidget* parent, const QColor& backColor)
        : QWidget(parent)
        , m_backColor(backColor) {
        setObjectName(QLatin1String(Name));
    }
    static constexpr const char* Name = "client";
    void setPicture(const QPixmap& picture) {
        m_picture = picture;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), m_backColor);
        if (!m_picture.isNull())
            painter.drawPixmap(0, 0, m_picture);
    }

private:
    QColor m_backColor;
    QPixmap m_picture;
};

// The client area as a screen reader sees it: the controls, without what only decorates (Hangman's circles
// are read as its count of chances, not as fifteen nameless pictures).
class ClientAreaAccessible : public QAccessibleWidget {
public:
    explicit ClientAreaAccessible(ClientArea* area)
        : QAccessibleWidget(area, QAccessible::Client) {}

    int childCount() const override { return int(controls().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> list = controls();
        return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list.at(index))
                                                 : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr ? int(controls().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }

private:
    QList<QWidget*> controls() const {
        QList<QWidget*> list;
        for (QObject* object : widget()->children()) {
            auto* control = qobject_cast<QWidget*>(object);
            if (control != nullptr && !control->isWindow() && !forms::isDecoration(control))
                list.append(control);
        }
        return list;
    }
};

Qt::WindowFlags flagsFor(const FormDesign& design) {
    const Qt::WindowFlags titled = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                   Qt::WindowCloseButtonHint |
                                   (design.minMaxButtons ? Qt::WindowMinMaxButtonsHint : Qt::WindowFlags());
    switch (design.border) {
    case BorderStyle::FixedSingle:
    case BorderStyle::Sizable:
        return Qt::Window | titled;
    case BorderStyle::FixedDialog:
        return (design.showInTaskbar ? Qt::Dialog : Qt::Tool) | titled;
    case BorderStyle::Splash:
        return Qt::SplashScreen | Qt::FramelessWindowHint;
    }
    return Qt::Window;
}

struct Registry {
    std::vector<std::pair<std::type_index, std::unique_ptr<Form>>> forms;
    std::vector<std::pair<QPointer<QWidget>, int>> doomed; // windows waiting for their handlers to return
    int loaded = 0;
    int modalDepth = 0;
    bool quitWhenAllUnloaded = false;
    bool quitRequested = false;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

void minimizeAll(bool minimized, const QWidget* except);
} // namespace

// The top-level window of a loaded form. It turns the close box and the keys into the form's handlers.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    FormWindow(Form* form, Qt::WindowFlags flags)
        : QWidget(nullptr, flags)
        , m_form(form) {}

    bool isDialog() const { return m_form->m_design.border == BorderStyle::FixedDialog; }

    void watchKeys() {
        // Keys go to the control with the focus; watching the native window shows them to the form first.
        create();
        windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == windowHandle() && event->type() == QEvent::KeyRelease)
            forms::keyReleased(static_cast<QKeyEvent*>(event));
        if (watched == windowHandle() && isRepeatedAccessKey(event)) {
            event->accept(); // asked first whether it is a shortcut: it is not
            return true;     // and as a key press it goes nowhere
        }
        if (watched == windowHandle() && event->type() == QEvent::KeyPress && m_form->window() == this)
            return m_form->handleKey(static_cast<QKeyEvent*>(event));
        return QWidget::eventFilter(watched, event);
    }

    void changeEvent(QEvent* event) override {
        // A window manager may minimise a modal window (Hangman has the button), or restore one: while a
        // modal window runs, the program's windows go and come back together, so none is left on the screen
        // taking no input while the one that would is out of sight.
        if (event->type() == QEvent::WindowStateChange && QApplication::activeModalWidget() != nullptr)
            minimizeAll(isMinimized(), this);
        QWidget::changeEvent(event);
    }

    void closeEvent(QCloseEvent* event) override {
        // The form decides; a window under a modal one ignores its close box.
        event->ignore();
        QWidget* modal = QApplication::activeModalWidget();
        if (m_form->window() == this && (modal == nullptr || modal == this))
            m_form->closeBox();
    }

    void resizeEvent(QResizeEvent*) override {
        auto* menu = findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
        auto* client = findChild<QWidget*>(QLatin1String(ClientArea::Name), Qt::FindDirectChildrenOnly);
        const int menuHeight = menu != nullptr ? menu->sizeHint().height() : 0;
        if (menu != nullptr)
            menu->setGeometry(0, 0, width(), menuHeight);
        if (client != nullptr)
            client->setGeometry(0, menuHeight, width(), height() - menuHeight);
    }

private:
    Form* m_form;
};

namespace {
// Minimises or restores every shown window of the program but one. A restored window keeps its other
// states: a maximised Hangman comes back maximised.
void minimizeAll(bool minimized, const QWidget* except) {
    for (QWidget* other : QApplication::topLevelWidgets()) {
        if (other == except || qobject_cast<FormWindow*>(other) == nullptr || !other->isVisible() ||
            other->isMinimized() == minimized)
            continue;
        other->setWindowState(minimized ? other->windowState() | Qt::WindowMinimized
                                        : other->windowState() & ~Qt::WindowMinimized);
    }
}
} // namespace

QAccessibleInterface* accessibleWindow(const QString&, QObject* object) {
    // Qt presents a plain widget as a filler: a screen reader would not announce the window at all.
    if (auto* window = qobject_cast<FormWindow*>(object))
        return new QAccessibleWidget(window, window->isDialog() ? QAccessible::Dialog : QAccessible::Window);
    if (auto* area = qobject_cast<ClientArea*>(object))
        return new ClientAreaAccessible(area);
    return nullptr;
}

// ---- Form ------------------------------------------------------------------------------------------------

Form::Form(FormDesign design)
    : m_design(std::move(design)) {}

Form::~Form() {
    delete m_window.data();
}

QSize Form::clientSize() const {
    return m_client ? m_client->size() : QSize();
}

QString Form::caption() const {
    return m_window ? m_window->windowTitle() : m_design.caption;
}

void Form::setCaption(const QString& caption) {
    if (m_window)
        m_window->setWindowTitle(caption);
}

void Form::load() {
    if (isLoaded())
        return;
    auto* window = new FormWindow(this, flagsFor(m_design));
    window->setWindowTitle(m_design.caption);
    const QColor back =
        m_design.backColor.isValid() ? m_design.backColor : window->palette().color(QPalette::Button);
    m_window = window;
    m_client = new ClientArea(window, back);
    m_menuBar = nullptr;
    m_defaultButton = nullptr;
    m_cancelButton = nullptr;
    m_handlerDepth = Forms::modalDepth();

    const QSize client(forms::px(m_design.clientTwips.width()), forms::px(m_design.clientTwips.height()));
    m_client->resize(client);
    build();

    const int menuHeight = m_menuBar ? m_menuBar->sizeHint().height() : 0;
    const QSize outer(client.width(), client.height() + menuHeight);
    if (m_design.border == BorderStyle::Sizable)
        window->resize(outer);
    else
        window->setFixedSize(outer);
    window->watchKeys();
    if (!m_design.showInTaskbar)
        platform::keepOutOfTaskbar(window);
    Forms::windowLoaded();
    Form_Load();
}

void Form::unload() {
    if (!isLoaded())
        return;
    QWidget* window = m_window;
    // Timers die with the window; stop them now so none ticks into a window that is going.
    const QList<QTimer*> timers = window->findChildren<QTimer*>();
    for (QTimer* timer : timers)
        timer->stop();
    window->hide();
    m_window = nullptr;
    m_client = nullptr;
    m_menuBar = nullptr;
    Forms::destroyLater(window, m_handlerDepth);
    if (m_modalLoop != nullptr)
        m_modalLoop->exit();
    emit unloaded();
    Forms::windowUnloaded();
}

void Form::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    const QSize size = m_window->size();
    m_window->move(area.x() + (area.width() - size.width()) / 2,
                   area.y() + (area.height() - size.height()) / 2);
}

void Form::show() {
    load();
    if (!isLoaded())
        return;
    centreOnScreen();
    m_window->show();
    // Showing a splash window before the main event loop runs processes events, which may unload it.
    if (isLoaded())
        m_window->activateWindow();
}

void Form::showModal() {
    load();
    if (!isLoaded())
        return;
    m_window->setWindowModality(Qt::ApplicationModal);
    centreOnScreen();

    // Without a window manager nobody gives the focus back to the opener; the classic owner rule does.
    const QPointer<QWidget> opener = QApplication::activeWindow();
    QEventLoop loop;
    m_modalLoop = &loop;
    Forms::enterModal();
    m_handlerDepth = Forms::modalDepth();
    m_window->show();
    if (isLoaded() && !Forms::quitRequested()) {
        m_window->activateWindow();
        loop.exec();
    }
    Forms::leaveModal();
    m_modalLoop = nullptr;
    // The windows minimised with this one come back as it closes: a window that closes itself (a face on
    // its last tick) would otherwise leave the rest out of sight, with nothing of the program on the screen.
    minimizeAll(false, nullptr);
    if (opener && opener->isVisible() && opener != m_window)
        opener->activateWindow();
    // This window's handlers have all returned now; its controls can go once the opener's loop runs.
    QTimer::singleShot(0, [] { Forms::collect(); });
}

bool Form::previewKey(QKeyEvent*) {
    return false;
}

bool Form::handleKey(QKeyEvent* event) {
    if (previewKey(event))
        return true;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!plain)
        return false;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // A focused button answers Enter itself; otherwise the default button does, if the design has one.
    // Either clicks once per press, however long the key is held.
    if (enter && m_defaultButton && !qobject_cast<QPushButton*>(QApplication::focusWidget())) {
        if (!forms::isRepeat(event))
            m_defaultButton->click();
        return true;
    }
    if (event->key() == Qt::Key_Escape && m_cancelButton) {
        if (!forms::isRepeat(event))
            m_cancelButton->click();
        return true;
    }
    return false;
}

QMenuBar* Form::menuBar() {
    if (!m_menuBar && m_window)
        m_menuBar = new QMenuBar(m_window);
    return m_menuBar;
}

void Form::setBackgroundPicture(const QPixmap& picture) {
    if (auto* area = static_cast<ClientArea*>(m_client.data()))
        area->setPicture(picture);
}

// ---- Forms -----------------------------------------------------------------------------------------------

Form* Forms::find(std::type_index key) {
    for (auto& [type, form] : registry().forms) {
        if (type == key)
            return form.get();
    }
    return nullptr;
}

Form& Forms::add(std::type_index key, std::unique_ptr<Form> form) {
    registry().forms.emplace_back(key, std::move(form));
    return *registry().forms.back().second;
}

void Forms::setQuitWhenAllUnloaded(bool quit) {
    registry().quitWhenAllUnloaded = quit;
}

bool Forms::quitRequested() {
    return registry().quitRequested;
}

int Forms::loadedCount() {
    return registry().loaded;
}

void Forms::unloadAll() {
    // Unloading may run handlers that add forms; walk by index.
    auto& forms = registry().forms;
    for (std::size_t i = 0; i < forms.size(); ++i)
        forms[i].second->unload();
}

void Forms::windowLoaded() {
    ++registry().loaded;
}

void Forms::windowUnloaded() {
    Registry& r = registry();
    --r.loaded;
    if (r.loaded == 0 && r.quitWhenAllUnloaded) {
        r.quitRequested = true;
        // Leaves every running event loop, nested ones included.
        QCoreApplication::exit(0);
    }
}

void Forms::destroyLater(QWidget* window, int handlerDepth) {
    registry().doomed.emplace_back(window, handlerDepth);
    QTimer::singleShot(0, [] { collect(); });
}

void Forms::collect() {
    // A window's handlers run in the event loop at its handler depth; once the running loop is no deeper,
    // none of them can be on the stack, so its controls can go.
    auto& doomed = registry().doomed;
    const int depth = modalDepth();
    std::vector<QWidget*> ready;
    std::erase_if(doomed, [&](const auto& entry) {
        if (entry.first.isNull())
            return true;
        if (depth > entry.second)
            return false;
        ready.push_back(entry.first.data());
        return true;
    });
    for (QWidget* window : ready)
        delete window;
}

int Forms::modalDepth() {
    return registry().modalDepth;
}
void Forms::enterModal() {
    ++registry().modalDepth;
}
void Forms::leaveModal() {
    --registry().modalDepth;
}

void Forms::destroyAll() {
    Registry& r = registry();
    for (auto& entry : r.doomed)
        delete entry.first.data();
    r.doomed.clear();
    r.forms.clear(); // each Form deletes its own window
    r.loaded = 0;
    r.modalDepth = 0;
    r.quitRequested = false;
}

#include "form.moc"
