#include "app/guarded_application.h"

#include "workstation/command.h"

#include <QtDebug>
#include <exception>

namespace zorvel {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        std::exception_ptr error = std::current_exception();
        if (messages_) {
            runCommand(*messages_, [&] {
                try {
                    std::rethrow_exception(error);
                } catch (const std::exception&) {
                    throw;
                } catch (...) {
                    throw std::runtime_error("Неизвестная ошибка");
                }
            });
        } else {
            qWarning("An error ended an event");
        }
    }
    return false;
}

} // namespace zorvel
