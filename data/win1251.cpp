#include "data/win1251.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace zorvel {

namespace {

// WIN1251 is one byte a character: the 128 upper bytes are decoded once by Qt's own converter and then
// looked up, so that reading a million values does not open a converter for each of them.
struct Win1251Table {
    std::array<char16_t, 128> upper{};
    QHash<char16_t, char> reverse;
    Win1251Table() {
        QByteArray bytes;
        for (int b = 0x80; b <= 0xFF; ++b)
            bytes.append(static_cast<char>(b));
        QStringDecoder decoder("windows-1251");
        const QString decoded = decoder.decode(bytes);
        if (decoded.size() != 128)
            return; // left empty: every value takes the converter
        for (int i = 0; i < 128; ++i) {
            upper[static_cast<size_t>(i)] = decoded[i].unicode();
            if (decoded[i] != QChar::ReplacementCharacter)
                reverse.insert(decoded[i].unicode(), static_cast<char>(0x80 + i));
        }
    }
    bool ready() const { return !reverse.isEmpty(); }
};

const Win1251Table& table() {
    static const Win1251Table t;
    return t;
}

} // namespace

QByteArray toWin1251(const QString& text) {
    const Win1251Table& t = table();
    if (t.ready()) {
        QByteArray out;
        out.resize(text.size());
        char* data = out.data();
        bool mapped = true;
        for (qsizetype i = 0; i < text.size() && mapped; ++i) {
            const char16_t c = text[i].unicode();
            if (c < 0x80) {
                data[i] = static_cast<char>(c);
            } else {
                auto it = t.reverse.constFind(c);
                if (it == t.reverse.constEnd())
                    mapped = false;
                else
                    data[i] = *it;
            }
        }
        if (mapped)
            return out;
    }
    // A character WIN1251 lacks: the converter decides what it becomes.
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

QString fromWin1251(std::string_view bytes) {
    const Win1251Table& t = table();
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out[i] = b;
        } else if (t.ready()) {
            out[i] = t.upper[b - 0x80];
        } else {
            QStringDecoder decoder("windows-1251");
            return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        }
    }
    return text;
}

} // namespace zorvel
