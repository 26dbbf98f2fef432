#include "workstation/command.h"

#include "workstation/services.h"
#include "data/errors.h"

#include <QCoreApplication>

namespace zorvel {

bool runCommand(Messages& messages, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const DbError& e) {
        messages.error(errorMessage(e));
    } catch (const std::exception& e) {
        messages.show(errorMessage(e), QCoreApplication::applicationName());
    }
    return false;
}

} // namespace zorvel
