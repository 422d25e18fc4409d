#include "platform/chinese_toolkit.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace ssq::platform {

void substituteSongTi() {
    static const bool done = [] {
        // Qt takes the first face of the list that is installed. The Song
        // faces come first; the sans-serif faces, whose taller lines would
        // not fit the layout as well, only as a last resort.
        const QStringList faces{QStringLiteral("SimSun"),
                                QStringLiteral("NSimSun"),
                                QStringLiteral("AR PL UMing CN"),
                                QStringLiteral("Noto Serif CJK SC"),
                                QStringLiteral("Noto Sans CJK SC"),
                                QStringLiteral("WenQuanYi Zen Hei"),
                                QStringLiteral("WenQuanYi Micro Hei")};
        QFont::insertSubstitutions(QString::fromUtf16(kSongTi), faces);
        return true;
    }();
    (void)done;
}

QFont songTi(int points) {
    substituteSongTi();
    QFont font(QString::fromUtf16(kSongTi));
    font.setPointSize(points);
    return font;
}

bool useChineseToolkit() {
    static const bool translated = [] {
        QApplication::setFont(songTi());
        // Owned by the application object, so it lives as long as the texts
        // it translates.
        auto* qtTexts = new QTranslator(QCoreApplication::instance());
        const bool loaded =
            qtTexts->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        if (loaded)
            QCoreApplication::installTranslator(qtTexts);
        else
            delete qtTexts;
        return loaded;
    }();
    return translated;
}

} // namespace ssq::platform
