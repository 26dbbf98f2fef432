#pragma once

#include "reports/report_period.h"

#include <optional>

class QDate;
class QLineEdit;
class QWidget;

namespace zorvel {

class Messages;

// The period of a report window: "Начало периода" (sDateEdit1) and "Окончание периода" (sDateEdit2),
// both today's date when the window is made; they keep what was typed between reports.
class PeriodFields {
public:
    PeriodFields(QWidget* parent, const QDate& today);

    QLineEdit* start() const { return start_; }
    QLineEdit* end() const { return end_; }

    // The period typed; nothing when it is refused (the reason is shown first).
    std::optional<ReportPeriod> read(Messages& messages) const;

private:
    QLineEdit* start_;
    QLineEdit* end_;
};

} // namespace zorvel
