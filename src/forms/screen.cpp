#include "forms/screen.h"

#include <QCursor>
#include <QGuiApplication>

namespace Screen {

void setMousePointer(MousePointer pointer) {
    if (pointer == MousePointer::Hourglass) {
        if (QGuiApplication::overrideCursor() == nullptr)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
        return;
    }
    // Qt stacks override cursors; the classic pointer is a single value, so clear them all.
    while (QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
}

MousePointer mousePointer() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor ? MousePointer::Hourglass
                                                                  : MousePointer::Default;
}

} // namespace Screen
