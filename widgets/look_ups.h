#pragma once

#include <QObject>
#include <QString>

#include <vector>

class QLineEdit;
class QWidget;

namespace zorvel {

class DataSet;
class Messages;

// The look-ups of the entry screens: the price list narrowed by the service number (or consumable code)
// as it is typed, and the departments narrowed by the typed department code. The filters are set on the
// workstation's shared datasets, so whichever look-up ran last decides what the price list shows.

// Runs on each key that types into the code field (characters, Backspace, Enter), before the key reaches
// the field: the price list is narrowed to the entries whose KODGVV begins with the field's text as it
// stood before the key, so the look-up on Enter uses the whole code. The first entry of the narrowed list
// fills the target fields (empty texts when none matches). Keys that only move the caret or the focus
// (Tab, arrows, Shift, Delete) look nothing up, so a text corrected by hand in a target field stays.
// Escape switches the price filter off and changes no field; the key goes on as it is.
// The look-up's filter is installed after the field's input rules, so it sees Enter before an Enter rule
// moves the focus on.
class PriceLookUp : public QObject {
    Q_OBJECT
public:
    struct Target {
        QLineEdit* field;
        QString column; // of the price list
    };

    PriceLookUp(QLineEdit* codeField, DataSet& prices, Messages& messages, std::vector<Target> targets);

    // Keys typed into another field run the look-up too (still by the code field's text).
    void watch(QWidget* field);
    // The look-up with no key, by the code field's text as it stands.
    void run();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A price text that the field cannot hold whole is put in as far as it fits, and the cashier is told
    // (once for the same text), never cut silently.
    void fill(const Target& target, const QString& text);

    QLineEdit* codeField_;
    DataSet& prices_;
    Messages& messages_;
    std::vector<Target> targets_;
    std::vector<QString> toldAbout_; // per target, the overlong text the cashier was last told of
};

// Runs on every change of the department code field: the departments are narrowed to the typed code
// (exact match), so a field bound to them shows its name. An emptied field keeps the last department.
// The input method's non-convert key in the field switches the filter off.
class DepartmentLookUp : public QObject {
    Q_OBJECT
public:
    DepartmentLookUp(QLineEdit* codeField, DataSet& departments, Messages& messages);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run(const QString& code);

    QLineEdit* codeField_;
    DataSet& departments_;
    Messages& messages_;
};

// A look-up (a price, a department) that finds nothing in its list reads the list again, its filter in
// force: a price or department another workstation saved since the list was read is then found.
void rereadWhenNothingFound(DataSet& list);

} // namespace zorvel
