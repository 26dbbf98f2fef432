#include "widgets/look_ups.h"

#include "data/dataset.h"
#include "data/filter.h"
#include "widgets/input_rules.h"
#include "workstation/command.h"
#include "workstation/services.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

namespace zorvel {

namespace {

const char* const kCutText = "Значение \"%1\" из прайса длиннее, чем вмещает поле (%2 знаков): в поле "
                             "вставлено только его начало. Проверьте поле перед сохранением";

} // namespace

PriceLookUp::PriceLookUp(QLineEdit* codeField, DataSet& prices, Messages& messages,
                         std::vector<Target> targets)
    : QObject(codeField), codeField_(codeField), prices_(prices), messages_(messages),
      targets_(std::move(targets)), toldAbout_(targets_.size()) {
    codeField_->installEventFilter(this);
}

void PriceLookUp::watch(QWidget* field) {
    field->installEventFilter(this);
}

bool PriceLookUp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
        // The whole price list again; the looked-up fields keep what they show.
        runCommand(messages_, [this] { prices_.setFiltered(false); });
        return false;
    }
    if (typesIntoField(key))
        run();
    return false;
}

void PriceLookUp::run() {
    if (!prices_.isOpen())
        return;
    runCommand(messages_, [this] {
        prices_.setFilterText(prefixTerm(QStringLiteral("kodgvv"), codeField_->text()));
        prices_.setFiltered(true);
        rereadWhenNothingFound(prices_);
        // The first matching entry in the list's order, even when the price grid stood elsewhere.
        if (prices_.currentRow() > 0)
            prices_.first();
        for (const Target& target : targets_)
            fill(target, prices_.fieldText(target.column));
    });
}

void PriceLookUp::fill(const Target& target, const QString& text) {
    QLineEdit* field = target.field;
    field->setText(text);
    field->setCursorPosition(0);
    QString& told = toldAbout_[&target - targets_.data()];
    if (text.size() <= field->maxLength()) {
        told.clear();
        return;
    }
    if (text == told)
        return;
    told = text;
    messages_.notice(QString::fromUtf8(kCutText).arg(text).arg(field->maxLength()));
}

DepartmentLookUp::DepartmentLookUp(QLineEdit* codeField, DataSet& departments, Messages& messages)
    : QObject(codeField), codeField_(codeField), departments_(departments), messages_(messages) {
    codeField_->installEventFilter(this);
    connect(codeField_, &QLineEdit::textChanged, this, &DepartmentLookUp::run);
}

bool DepartmentLookUp::eventFilter(QObject*, QEvent* event) {
    // The key that lets go of the department filter (not Escape).
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Muhenkan)
        runCommand(messages_, [this] { departments_.setFiltered(false); });
    return false;
}

void DepartmentLookUp::run(const QString& code) {
    if (code.isEmpty() || !departments_.isOpen())
        return;
    runCommand(messages_, [&] {
        departments_.setFiltered(false);
        departments_.setFilterText(equalsTerm(QStringLiteral("kod"), code));
        departments_.setFiltered(true);
        rereadWhenNothingFound(departments_);
    });
}

void rereadWhenNothingFound(DataSet& list) {
    if (list.isOpen() && list.currentRow() < 0) {
        list.close();
        list.open();
    }
}

} // namespace zorvel
