#pragma once

#include <QWidget>

namespace zorvel {

// A window of the workstation whose commands are not built yet: it exists from the start with its name
// and caption, and shows nothing that pretends to work.
class PlaceholderWindow : public QWidget {
    Q_OBJECT
public:
    PlaceholderWindow(const QString& objectName, const QString& caption);
};

} // namespace zorvel
