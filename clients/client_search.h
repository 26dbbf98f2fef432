#pragma once

#include <vector>

class QWidget;

namespace zorvel {

class Workstation;

// The search panel both contract-client windows share over the contract-client register. The fields are
// the line edits of surname, first name, patronymic, contract, service number and service date, in this
// order; a field that is hidden does not narrow.
void narrowClientRegister(Workstation& workstation, const std::vector<QWidget*>& searchFields);
// "Отмена": the register shows every line again.
void widenClientRegister(Workstation& workstation);

} // namespace zorvel
