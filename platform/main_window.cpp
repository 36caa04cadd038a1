#include "platform/main_window.h"

#include <QDialog>
#include <QPointer>

namespace {

QPointer<QDialog>& MainWindow() {
    static QPointer<QDialog> window;
    return window;
}

}  // namespace

void SetMainWindow(QDialog* window) {
    MainWindow() = window;
}

QDialog* GetMainWindow() {
    return MainWindow();
}
