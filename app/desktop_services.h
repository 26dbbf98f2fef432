#pragma once

#include "workstation/services.h"

class QWidget;

namespace zorvel {

// The production services: real message boxes, the system clock, the file dialog, the desktop's handler.
class MessageBoxes : public Messages {
public:
    void show(const QString& text, const QString& caption) override;
};

// A message box with one button per answer, the default answer on Enter.
class QuestionBoxes : public Questions {
public:
    int ask(const QString& text, const QString& caption, const QStringList& answers,
            int defaultAnswer) override;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FileDialogChooser : public FileChooser {
public:
    QString openFile(const QString& caption, const QString& filter) override;
};

class DesktopOpener : public DocumentOpener {
public:
    void open(const QString& path) override;
};

} // namespace zorvel
