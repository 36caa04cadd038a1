#include "platform/message_box.h"

#include <QGuiApplication>
#include <QMessageBox>
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

}  // namespace

int ShowMessageBox(QWidget* owner, const QString& text, unsigned type) {
    const MessageBoxRequest request{text, QGuiApplication::applicationDisplayName(), type};
    if (Answerer()) return Answerer()(request);

    const bool yesNo = (type & 0x0F) == MessageBoxType::YesNo;
    QMessageBox box(IconOf(type), request.caption, request.text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
    const int clicked = box.exec();
    if (!yesNo) return MessageBoxAnswer::Ok;
    return clicked == QMessageBox::Yes ? MessageBoxAnswer::Yes : MessageBoxAnswer::No;
}

MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
    return std::exchange(Answerer(), std::move(answerer));
}
