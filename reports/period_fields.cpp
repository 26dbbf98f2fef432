#include "reports/period_fields.h"

#include "reports/period_edit.h"
#include "workstation/services.h"

#include <QDate>
#include <QLineEdit>

namespace zorvel {

PeriodFields::PeriodFields(QWidget* parent, const QDate& today)
    : start_(makePeriodEdit(parent, "sDateEdit1", "Начало периода")),
      end_(makePeriodEdit(parent, "sDateEdit2", "Окончание периода")) {
    const QString text = today.toString(QStringLiteral("dd.MM.yyyy"));
    start_->setText(text);
    end_->setText(text);
}

std::optional<ReportPeriod> PeriodFields::read(Messages& messages) const {
    const PeriodInput input = readPeriod(start_->displayText(), end_->displayText());
    if (!input.period)
        messages.error(input.error);
    return input.period;
}

} // namespace zorvel
