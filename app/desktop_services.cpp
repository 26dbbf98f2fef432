#include "app/desktop_services.h"

#include "spreadsheet/child_process.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <vector>

namespace zorvel {

void MessageBoxes::show(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

int QuestionBoxes::ask(const QString& text, const QString& caption, const QStringList& answers,
                       int defaultAnswer) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    std::vector<QAbstractButton*> buttons;
    for (int i = 0; i < answers.size(); ++i) {
        // The last answer is the one that closing the box gives (the escape button).
        const auto role = i == answers.size() - 1 ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        QPushButton* button = box.addButton(answers[i], role);
        if (i == defaultAnswer)
            box.setDefaultButton(button);
        buttons.push_back(button);
    }
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return static_cast<int>(i);
    return static_cast<int>(answers.size()) - 1;
}

QString FileDialogChooser::openFile(const QString& caption, const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, QString(), filter);
}

void DesktopOpener::open(const QString& path) {
    // A missing file is not reported, as with any shell "open". The desktop's handler is started by our
    // own means, holding nothing of the workstation (Qt's own start would hand it the database's files).
    const QString handler = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!handler.isEmpty())
        startDetachedCleanly(handler, {QFileInfo(path).absoluteFilePath()});
}

} // namespace zorvel
