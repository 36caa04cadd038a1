// Message boxes, with the type bits and answers that the program's messages are written with.
// Every box goes through ShowMessageBox, so that a test can stand in for the person who answers.
#pragma once

#include <QString>
#include <functional>

class QWidget;

// Buttons and icon of a box: one button value or'ed with one icon value.
namespace MessageBoxType {
constexpr unsigned Ok = 0x00;
constexpr unsigned YesNo = 0x04;
constexpr unsigned IconError = 0x10;
constexpr unsigned IconQuestion = 0x20;
constexpr unsigned IconWarning = 0x30;
constexpr unsigned IconInformation = 0x40;
}  // namespace MessageBoxType

// The button that closed a box.
namespace MessageBoxAnswer {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace MessageBoxAnswer

struct MessageBoxRequest {
    QString text;
    QString caption;
    unsigned type = MessageBoxType::Ok;
};

// Answers a box in place of the person in front of the screen; called on the user-interface
// thread.
using MessageBoxAnswerer = std::function<int(const MessageBoxRequest&)>;

// Shows a modal box captioned with the application's display name, on the user-interface thread,
// and returns the answer. owner may be null. A widget's mouse grab ends first, so that the box
// takes the clicks.
int ShowMessageBox(QWidget* owner, const QString& text, unsigned type);

// For a thread other than the user-interface thread: shows the box on the user-interface thread
// without blocking that thread (the box is not modal), waits until it has been closed and
// returns the answer. Without an application it answers Ok at once.
int ShowMessageBoxAndWait(const QString& text, unsigned type);

// From now on every box is answered by answerer instead of being shown; an empty answerer brings
// the real boxes back. Returns the answerer that was in place.
MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer);
