#pragma once

#include <QWidget>

class QToolButton;

namespace zorvel {

class DataSet;
class Messages;

// The record navigator under a grid: first, prior, next, last, insert, delete, edit, post, cancel and
// refresh on one dataset. Each button is one command: what the dataset refuses is shown and nothing else
// happens.
class DataNavigator : public QWidget {
    Q_OBJECT
public:
    enum class Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };

    DataNavigator(DataSet& dataSet, Messages& messages, QWidget* parent = nullptr);
    QToolButton* button(Button which) const;

private:
    void addButton(Button which, const QString& objectName, const QString& text, const QString& hint);
    void run(Button which);
    void refresh();
    void updateButtons();

    DataSet& dataSet_;
    Messages& messages_;
    QToolButton* buttons_[10] = {};
};

} // namespace zorvel
