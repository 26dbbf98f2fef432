#pragma once

#include <QWidget>
#include <vector>

class QCheckBox;
class QLineEdit;

namespace zorvel {

// The field-filter window (TForm16, "Фильтры по полям"): register columns whose values the combined
// table's rows must equal. A ticked box shows its value control; "Применить" makes the condition text.
class FieldFilterWindow : public QWidget {
    Q_OBJECT
public:
    explicit FieldFilterWindow(QWidget* parent = nullptr);

    // "Применить": the condition of every box whose value control is shown, kept in the hidden Edit1.
    void apply();
    QString conditionText() const;

signals:
    void applied(const QString& condition);

private:
    struct Row {
        QCheckBox* box;
        QWidget* value; // an editable list, or a date field
    };
    std::vector<Row> rows_;
    QLineEdit* conditionEdit_ = nullptr; // Edit1
};

} // namespace zorvel
