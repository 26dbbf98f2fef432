#include "widgets/date_mask.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace zorvel {

namespace {

// Owned by the field, so it goes with it.
class DateClickFilter : public QObject {
public:
    explicit DateClickFilter(QLineEdit* field) : QObject(field), field_(field) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // On release: the press has put the caret where the click landed (and made a selection, if the
        // mouse was dragged); the caret is corrected after that.
        if (watched == field_ && event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            keepCaretWithinTyped();
        return QObject::eventFilter(watched, event);
    }

private:
    void keepCaretWithinTyped() {
        // The mask shows every position: typed digits, separators and blanks.
        const QString shown = field_->displayText();
        int afterTyped = 0;
        for (int i = 0; i < shown.size(); ++i)
            if (shown[i].isDigit())
                afterTyped = i + 1;
        // A digit typed onto a separator's place would be lost: the caret goes past the separator.
        while (afterTyped > 0 && afterTyped < shown.size() && shown[afterTyped] == u'.')
            ++afterTyped;
        // In an empty field even a dragged selection of blanks gives way to the first position.
        if (afterTyped > 0 && (field_->hasSelectedText() || field_->cursorPosition() <= afterTyped))
            return;
        field_->setCursorPosition(afterTyped);
    }

    QLineEdit* field_;
};

} // namespace

void setDateMask(QLineEdit* field, const QString& mask) {
    field->setInputMask(mask);
    field->installEventFilter(new DateClickFilter(field));
}

} // namespace zorvel
