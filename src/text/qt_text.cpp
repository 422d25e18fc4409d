#include "text/qt_text.h"

#include "text/codec.h"

namespace ssq::text {

QString toQString(std::string_view gbkText) {
    // Plain ASCII needs no conversion; most cells (numbers, dates) are such.
    bool ascii = true;
    for (char c : gbkText)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(gbkText.data(), static_cast<qsizetype>(gbkText.size()));
    const std::string utf8 = gbkToUtf8(gbkText);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string fromQString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return utf8To(Charset::Gbk,
                  std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace ssq::text
