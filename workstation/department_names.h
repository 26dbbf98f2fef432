#pragma once

#include <QStringList>

namespace zorvel {

// The 63 department names the department lists offer, in their order. "Зубопротезный кабинет" is the
// one with a meaning of its own: it selects the dental contract.
const QStringList& departmentNames();

inline constexpr char16_t kDentalDepartment[] = u"Зубопротезный кабинет";

} // namespace zorvel
