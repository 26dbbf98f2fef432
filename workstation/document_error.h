#pragma once

#include <QString>

#include <stdexcept>

namespace zorvel {

// A document abandoned where its data could not be used, with the message the cashier is shown: a box
// with its caption, or a plain message when the caption is empty.
class DocumentError : public std::runtime_error {
public:
    DocumentError(const QString& text, const QString& caption)
        : std::runtime_error(text.toStdString()), text_(text), caption_(caption) {}
    QString text() const { return text_; }
    QString caption() const { return caption_; }

private:
    QString text_;
    QString caption_;
};

} // namespace zorvel
