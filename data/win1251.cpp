#include "data/win1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zorvel {

QByteArray toWin1251(const QString& text) {
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

QString fromWin1251(std::string_view bytes) {
    // Plain ASCII (digits, dates, times) is by far the most common content: skip the decoder for it.
    bool ascii = true;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    // Opening a decoder looks the code page up by name, which costs more than decoding a short text: a
    // report reads millions of values, so each thread keeps one.
    thread_local QStringDecoder decoder("windows-1251");
    decoder.resetState();
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace zorvel
