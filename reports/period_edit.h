#pragma once

class QLineEdit;
class QWidget;

namespace zorvel {

// A period date field of the report windows: DD.MM.YYYY typed over a mask.
QLineEdit* makePeriodEdit(QWidget* parent, const char* objectName, const char* hint);

} // namespace zorvel
