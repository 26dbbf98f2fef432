#pragma once

#include <QApplication>

namespace zorvel {

class Messages;

// The workstation's application object. An error that no command caught (a timer's tick, a signal's
// handler, a grid reading rows) ends only the event that raised it: it is shown as a command's error is
// (the lock message, the server's text, or the error's text) and the run goes on with its transaction and
// every posted row intact.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    void setMessages(Messages* messages) { messages_ = messages; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Messages* messages_ = nullptr;
};

} // namespace zorvel
