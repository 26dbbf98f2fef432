#pragma once

#include <QWidget>
#include <vector>

class QCheckBox;
class QLineEdit;

namespace zorvel {

// The visible-fields window (TForm15, "Видимые поля"): which register columns the combined table lists
// and groups by, with the money total and the summed quantity after them. Its choices last for the run.
class VisibleFieldsWindow : public QWidget {
    Q_OBJECT
public:
    explicit VisibleFieldsWindow(QWidget* parent = nullptr);

    // "Применить": the select and group texts from the ticked boxes, kept in the hidden Edit2 and Edit1.
    void apply();
    QString selectText() const;
    QString groupText() const;

signals:
    void applied(const QString& select, const QString& group);

private:
    std::vector<QCheckBox*> boxes_;   // sCB1 to sCB26
    QLineEdit* groupEdit_ = nullptr;  // Edit1
    QLineEdit* selectEdit_ = nullptr; // Edit2
};

} // namespace zorvel
