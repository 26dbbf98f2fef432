#include "widgets/input_rules.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QtDebug>

#include <optional>
#include <utility>

namespace zorvel {

namespace {

enum class EnterRule { None, Advances, Acts, Ignored };

// The line edit that holds a field's text, if the field has one.
QLineEdit* editorOf(QWidget* field) {
    if (auto* combo = qobject_cast<QComboBox*>(field))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(field);
}

int insertionPoint(const QLineEdit* editor) {
    return editor->hasSelectedText() ? editor->selectionStart() : editor->cursorPosition();
}

bool isDigitRule(CharacterRule rule) {
    return rule == CharacterRule::DigitsOnly || rule == CharacterRule::AmountDigits;
}

bool isAllowed(CharacterRule rule, QChar c) {
    switch (rule) {
    case CharacterRule::DigitsOnly:
        return c >= u'0' && c <= u'9';
    case CharacterRule::AmountDigits:
        return (c >= u'0' && c <= u'9') || c == u'.';
    case CharacterRule::None:
    case CharacterRule::FirstLetterUpper:
        break;
    }
    return true;
}

// ё (and Ё) lie outside both ranges on purpose: the rule has always left it small.
bool isSmallLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'а' && c <= u'я');
}

// Typed text as the rule lets it in at position `at`: characters the rule refuses are dropped one by one.
QString passTyped(CharacterRule rule, const QString& text, int at) {
    QString passed;
    passed.reserve(text.size());
    for (QChar c : text) {
        if (isAllowed(rule, c))
            passed += c;
    }
    if (rule == CharacterRule::FirstLetterUpper && at == 0 && !passed.isEmpty() && isSmallLetter(passed[0]))
        passed[0] = QChar(passed[0].unicode() - 0x20); // the capital of both ranges lies 0x20 below
    return passed;
}

// Pasted text as the rule lets it in at position `at`, or nothing when it is refused whole.
std::optional<QString> passPasted(CharacterRule rule, const QString& text, int at) {
    if (!isDigitRule(rule))
        return passTyped(rule, text, at);
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || passTyped(rule, trimmed, at) != trimmed)
        return std::nullopt;
    return trimmed;
}

// The text a key types into a line edit; empty for keys that edit, move or command (QLineEdit's own test).
QString typedText(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty())
        return {};
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return {};
    return text.at(0).isPrint() ? text : QString();
}

bool isEnter(const QKeyEvent* event) {
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

// The next widget that Tab would reach from `from`, wrapping around the window's focus chain.
QWidget* nextInTabOrder(QWidget* from) {
    QWidget* window = from->window();
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (w->window() == window && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy() &&
            w->isEnabled() && w->isVisibleTo(window))
            return w;
    }
    return nullptr;
}

// Both rules of one field in one filter, so the order of attaching cannot change what a key does.
class FieldRules : public QObject {
    Q_OBJECT
public:
    static FieldRules* of(QWidget* field);

    void setCharacterRule(CharacterRule rule);
    void setEnterRule(EnterRule rule, std::function<void()> action = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FieldRules(QWidget* field);

    bool claimsKey(const QKeyEvent* event) const;
    bool keyPress(QObject* watched, QKeyEvent* event);
    bool enterPress(QKeyEvent* event);
    void inputMethod(QInputMethodEvent* event);
    bool contextMenu(QContextMenuEvent* event);
    bool drag(QDropEvent* event);
    bool drop(QDropEvent* event);
    bool middleButtonPaste(QMouseEvent* event);
    void paste(QClipboard::Mode mode);

    QWidget* field;
    QPointer<QLineEdit> editor;
    CharacterRule characterRule = CharacterRule::None;
    EnterRule enterRule = EnterRule::None;
    std::function<void()> action;
};

FieldRules::FieldRules(QWidget* field) : QObject(field), field(field) {
    field->installEventFilter(this);
}

FieldRules* FieldRules::of(QWidget* field) {
    if (auto* rules = field->findChild<FieldRules*>(QString(), Qt::FindDirectChildrenOnly))
        return rules;
    return new FieldRules(field);
}

void FieldRules::setCharacterRule(CharacterRule rule) {
    characterRule = rule;
    editor = editorOf(field);
    // A date edit validates its own characters; a character rule has nothing to add there.
    if (!editor && rule != CharacterRule::None && !qobject_cast<QAbstractSpinBox*>(field))
        qWarning() << "zorvel: a character rule needs a line edit or an editable combo box:" << field;
    if (editor && editor != field)
        editor->installEventFilter(this);
}

void FieldRules::setEnterRule(EnterRule rule, std::function<void()> newAction) {
    enterRule = rule;
    action = std::move(newAction);
}

bool FieldRules::eventFilter(QObject* watched, QEvent* event) {
    // Keys come to the field (a combo box hands them on to its line edit itself), unless a caller sends
    // them to the line edit straight; drops, menus and mouse pastes come to the line edit.
    const bool atEditor = editor && watched == editor;
    const bool atField = watched == field || atEditor;
    const bool atPasteTarget = atEditor && characterRule != CharacterRule::None;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claiming the key keeps window shortcuts off it, so it comes to the field as a key press.
        if (atField && claimsKey(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (atField)
            return keyPress(watched, static_cast<QKeyEvent*>(event));
        break;
    case QEvent::InputMethod:
        if (atField && editor && characterRule != CharacterRule::None)
            inputMethod(static_cast<QInputMethodEvent*>(event));
        break;
    case QEvent::ContextMenu:
        if (atPasteTarget)
            return contextMenu(static_cast<QContextMenuEvent*>(event));
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (atPasteTarget)
            return drag(static_cast<QDropEvent*>(event));
        break;
    case QEvent::Drop:
        if (atPasteTarget)
            return drop(static_cast<QDropEvent*>(event));
        break;
    case QEvent::MouseButtonRelease:
        if (atPasteTarget)
            return middleButtonPaste(static_cast<QMouseEvent*>(event));
        break;
    default:
        break;
    }
    return false;
}

bool FieldRules::claimsKey(const QKeyEvent* event) const {
    if (isEnter(event))
        return enterRule != EnterRule::None;
    if (characterRule == CharacterRule::None || !editor)
        return false;
    if (event->matches(QKeySequence::Paste))
        return true;
    return isDigitRule(characterRule) &&
           (event->key() == Qt::Key_Escape || event->matches(QKeySequence::Copy) ||
            event->matches(QKeySequence::Cut));
}

bool FieldRules::keyPress(QObject* watched, QKeyEvent* event) {
    if (isEnter(event))
        return enterPress(event);
    if (characterRule == CharacterRule::None || !editor)
        return false;
    if (event->matches(QKeySequence::Paste)) {
        paste(QClipboard::Clipboard);
        return true;
    }
    // Digit fields drop Escape and the copy and cut shortcuts as they always have; keys that edit or move
    // the caret (Backspace, Delete, arrows, Home, End, Tab, Ctrl+A, undo) type no character and pass.
    if (isDigitRule(characterRule) && (event->key() == Qt::Key_Escape || event->matches(QKeySequence::Copy) ||
                                       event->matches(QKeySequence::Cut)))
        return true;

    const QString typed = typedText(event);
    if (typed.isEmpty())
        return false;
    const QString passed = passTyped(characterRule, typed, insertionPoint(editor));
    if (passed == typed)
        return false;
    if (passed.isEmpty())
        return true;
    // The field gets the key with the character the rule made of it, as if that had been typed.
    QKeyEvent replaced(QEvent::KeyPress, event->key(), event->modifiers(), event->nativeScanCode(),
                       event->nativeVirtualKey(), event->nativeModifiers(), passed, event->isAutoRepeat(),
                       event->count(), event->device());
    QCoreApplication::sendEvent(watched, &replaced);
    event->setAccepted(replaced.isAccepted());
    return true;
}

bool FieldRules::enterPress(QKeyEvent* event) {
    switch (enterRule) {
    case EnterRule::None:
        return false;
    case EnterRule::Ignored:
        break;
    case EnterRule::Advances:
        if (QWidget* next = nextInTabOrder(field))
            next->setFocus(Qt::TabFocusReason);
        break;
    case EnterRule::Acts: {
        // Handed to the field directly: through the application, the key the field ignores would travel
        // on to the window and fire its default button after the action.
        const std::function<void()> act = action; // the action may replace the rules of this field
        static_cast<QObject*>(field)->event(event);
        if (act)
            act();
        break;
    }
    }
    event->accept();
    return true;
}

void FieldRules::inputMethod(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty())
        return;
    const int at = insertionPoint(editor) + event->replacementStart();
    event->setCommitString(passTyped(characterRule, commit, at), event->replacementStart(),
                           event->replacementLength());
}

bool FieldRules::contextMenu(QContextMenuEvent* event) {
    if (editor->contextMenuPolicy() != Qt::DefaultContextMenu)
        return false;
    // The line edit's own menu, with its paste going through the rule.
    QMenu* menu = editor->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* item : menu->actions()) {
        // Qt has wired the menu by name in some versions and by pointer in others.
        if (QObject::disconnect(item, &QAction::triggered, editor, &QLineEdit::paste) ||
            QObject::disconnect(item, SIGNAL(triggered()), editor, SLOT(paste())))
            connect(item, &QAction::triggered, this, [this] { paste(QClipboard::Clipboard); });
    }
    menu->popup(event->globalPos());
    return true;
}

bool FieldRules::drag(QDropEvent* event) {
    if (!event->mimeData()->hasText() || passPasted(characterRule, event->mimeData()->text(), 0))
        return false;
    event->ignore(); // the field shows it will not take this text
    return true;
}

bool FieldRules::drop(QDropEvent* event) {
    if (!event->mimeData()->hasText() || editor->isReadOnly())
        return false;
    const QString text = event->mimeData()->text();
    const std::optional<QString> passed =
        passPasted(characterRule, text, editor->cursorPositionAt(event->position().toPoint()));
    if (!passed) {
        event->ignore();
        return true;
    }
    if (*passed == text)
        return false;
    // The line edit drops the passed text itself, so moving text within the field still works.
    QMimeData passedData;
    passedData.setText(*passed);
    QDropEvent passedDrop(event->position(), event->possibleActions(), &passedData, event->buttons(),
                          event->modifiers());
    passedDrop.setDropAction(event->dropAction());
    static_cast<QObject*>(editor.data())->event(&passedDrop);
    event->setDropAction(passedDrop.dropAction());
    event->setAccepted(passedDrop.isAccepted());
    return true;
}

bool FieldRules::middleButtonPaste(QMouseEvent* event) {
    if (event->button() != Qt::MiddleButton || editor->isReadOnly() ||
        !QGuiApplication::clipboard()->supportsSelection())
        return false;
    editor->deselect();
    editor->setCursorPosition(editor->cursorPositionAt(event->position().toPoint()));
    paste(QClipboard::Selection);
    return true;
}

void FieldRules::paste(QClipboard::Mode mode) {
    if (!editor || editor->isReadOnly())
        return;
    const std::optional<QString> passed =
        passPasted(characterRule, QGuiApplication::clipboard()->text(mode), insertionPoint(editor));
    if (passed)
        editor->insert(*passed); // keeps the maximum length, an input mask and a validator in force
}

} // namespace

void attachCharacterRule(QWidget* field, CharacterRule rule) {
    if (field)
        FieldRules::of(field)->setCharacterRule(rule);
}

void attachEnterAdvances(QWidget* field) {
    if (field)
        FieldRules::of(field)->setEnterRule(EnterRule::Advances);
}

void attachEnterActs(QWidget* field, std::function<void()> action) {
    if (field)
        FieldRules::of(field)->setEnterRule(EnterRule::Acts, std::move(action));
}

void attachEnterIgnored(QWidget* field) {
    if (field)
        FieldRules::of(field)->setEnterRule(EnterRule::Ignored);
}

void limitLength(QWidget* field, int maxChars) {
    if (QLineEdit* editor = editorOf(field))
        editor->setMaxLength(maxChars);
    else if (field && !qobject_cast<QAbstractSpinBox*>(field))
        qWarning() << "zorvel: a length limit needs a line edit or an editable combo box:" << field;
}

bool typesIntoField(const QKeyEvent* event) {
    if (event->text().isEmpty())
        return false;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return false;
    default:
        return true;
    }
}

} // namespace zorvel

#include "input_rules.moc"
