#include "platform/message_box.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>
#include <future>
#include <memory>
#include <utility>

namespace {

MessageBoxAnswerer& Answerer() {
    static MessageBoxAnswerer answerer;
    return answerer;
}

QMessageBox::Icon IconOf(unsigned type) {
    switch (type & 0xF0) {
        case MessageBoxType::IconError:
            return QMessageBox::Critical;
        case MessageBoxType::IconQuestion:
            return QMessageBox::Question;
        case MessageBoxType::IconWarning:
            return QMessageBox::Warning;
        case MessageBoxType::IconInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

bool IsYesNo(unsigned type) {
    return (type & 0x0F) == MessageBoxType::YesNo;
}

QMessageBox::StandardButtons ButtonsOf(unsigned type) {
    return IsYesNo(type) ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
}

int AnswerOf(unsigned type, int clicked) {
    if (!IsYesNo(type)) return MessageBoxAnswer::Ok;
    return clicked == QMessageBox::Yes ? MessageBoxAnswer::Yes : MessageBoxAnswer::No;
}

}  // namespace

int ShowMessageBox(QWidget* owner, const QString& text, unsigned type) {
    // A control that holds the mouse grab (a header button that watches the pointer leave it,
    // whose click asked the question) would keep every click from the box.
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    const MessageBoxRequest request{text, QGuiApplication::applicationDisplayName(), type};
    if (Answerer()) return Answerer()(request);

    QMessageBox box(IconOf(type), request.caption, request.text, ButtonsOf(type), owner);
    return AnswerOf(type, box.exec());
}

int ShowMessageBoxAndWait(const QString& text, unsigned type) {
    if (QCoreApplication::instance() == nullptr) return MessageBoxAnswer::Ok;
    const auto answer = std::make_shared<std::promise<int>>();
    std::future<int> answered = answer->get_future();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [text, type, answer] {
            if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
            const MessageBoxRequest request{text, QGuiApplication::applicationDisplayName(), type};
            if (Answerer()) {
                answer->set_value(Answerer()(request));
                return;
            }
            // Not modal: the program goes on while the box waits for its answer. It deletes
            // itself when closed.
            auto* box =
                new QMessageBox(IconOf(type), request.caption, request.text, ButtonsOf(type));
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setWindowModality(Qt::NonModal);
            QObject::connect(box, &QMessageBox::finished, [type, answer](int clicked) {
                answer->set_value(AnswerOf(type, clicked));
            });
            box->show();
        },
        Qt::QueuedConnection);
    return answered.get();
}

MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
    return std::exchange(Answerer(), std::move(answerer));
}
