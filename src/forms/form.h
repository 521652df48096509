// The window runtime: every window is one Form object for the whole run. Loading builds its controls from
// their design values and runs Form_Load; unloading destroys the controls (deferred, never under a running
// handler) and keeps the object's members. Windows open centred, modal ones in a nested event loop, and
// the program ends when the last window is unloaded.
#pragma once

#include "forms/controls.h"

#include <memory>
#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QSize>
#include <QString>
#include <typeindex>
#include <vector>

class QAccessibleInterface;
class QKeyEvent;
class QMenuBar;
class QWidget;

enum class BorderStyle {
    FixedSingle, // title bar and close box, not resizable
    Sizable,     // resizable; the controls keep their places
    FixedDialog, // dialog frame with a title bar and close box
    Splash,      // no title bar, no frame, no taskbar entry
};

struct FormDesign {
    QString caption;
    QSize clientTwips;
    BorderStyle border = BorderStyle::FixedSingle;
    QColor backColor; // invalid: the platform's button-face colour
    bool minMaxButtons = false;
    bool showInTaskbar = true;
};

class Form : public QObject {
    Q_OBJECT
public:
    ~Form() override;

    bool isLoaded() const { return m_window != nullptr; }
    // Builds the controls and runs Form_Load; does nothing if already loaded.
    void load();
    // Hides the window and destroys its controls once no handler of it is running; members stay.
    void unload();
    // Loads if needed and shows the window without blocking (the main menu).
    void show();
    // Loads if needed and shows the window modally: returns when it has been unloaded.
    void showModal();

    // The top-level window and the client area that holds the controls; null while unloaded.
    QWidget* window() const { return m_window; }
    QWidget* client() const { return m_client; }
    QSize clientSize() const;

    QString caption() const;
    void setCaption(const QString& caption);

signals:
    // The window has just been unloaded (its controls go once no handler of it is running).
    void unloaded();

protected:
    explicit Form(FormDesign design);

    // Creates the controls as children of client(), in their design state.
    virtual void build() = 0;
    virtual void Form_Load() {}
    // Key preview: every key press of the window comes here before the control with the focus.
    // Return true to consume it.
    virtual bool previewKey(QKeyEvent* event);
    // The close box; by default it unloads the window.
    virtual void closeBox() { unload(); }

    // Only for windows whose design has one: a menu bar above the client area.
    QMenuBar* menuBar();
    // A picture drawn at its own size from the top-left corner of the client area.
    void setBackgroundPicture(const QPixmap& picture);
    // Enter clicks the default button and Escape the cancel button, where a design names them.
    void setDefaultButton(forms::CommandButton* button) { m_defaultButton = button; }
    void setCancelButton(forms::CommandButton* button) { m_cancelButton = button; }

private:
    friend class FormWindow;
    friend class Forms;
    bool handleKey(QKeyEvent* event);
    void centreOnScreen();

    FormDesign m_design;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_client;
    QPointer<QMenuBar> m_menuBar;
    QPointer<forms::CommandButton> m_defaultButton;
    QPointer<forms::CommandButton> m_cancelButton;
    class QEventLoop* m_modalLoop = nullptr;
    int m_handlerDepth = 0; // the event-loop depth at which this window's handlers run
};

// The accessible interface of the windows and their client areas (installed with
// QAccessible::installFactory).
QAccessibleInterface* accessibleWindow(const QString& className, QObject* object);

// The single instance of every window class, created on first use and kept for the whole run.
class Forms {
public:
    template <class T> static T& get() {
        const std::type_index key(typeid(T));
        if (Form* existing = find(key))
            return static_cast<T&>(*existing);
        return static_cast<T&>(add(key, std::unique_ptr<Form>(new T)));
    }

    // Ends the run when the last window is unloaded (the program does this; tests choose).
    static void setQuitWhenAllUnloaded(bool quit);
    static bool quitRequested();
    static int loadedCount();
    // Unloads every loaded window, in the order their objects were first made (the main menu first);
    // a window that is not loaded is not loaded just to be unloaded.
    static void unloadAll();
    // Destroys every window and form object: at the end of the run, or between tests.
    static void destroyAll();

private:
    friend class Form;
    static Form* find(std::type_index key);
    static Form& add(std::type_index key, std::unique_ptr<Form> form);
    static void windowLoaded();
    static void windowUnloaded();
    static void destroyLater(QWidget* window, int handlerDepth);
    static void collect();
    static int modalDepth();
    static void enterModal();
    static void leaveModal();
};
