#pragma once
// The toolkit as a Chinese program on Linux needs it: the Song face the
// program names, and Qt's own texts (button captions of message boxes and
// edit-box menus) in Chinese like every other text of the window.

#include <QFont>

namespace ssq::platform {

// The face the program names in its fonts and character formats.
inline constexpr char16_t kSongTi[] = u"宋体";

// The window's default text size, the one its column widths and control
// sizes were drawn for.
inline constexpr int kDefaultPointSize = 9;

// Lets "宋体" resolve to an installed Song-style face with compact metrics
// (a sans-serif CJK face only when none is installed). Safe to call again.
void substituteSongTi();

// "宋体" at the given size, with the substitution in place.
QFont songTi(int points = kDefaultPointSize);

// Once per process, after the QApplication exists: the substitution above,
// "宋体" 9 pt as the application's default font (the message boxes, which
// have no owner window, take it from there), and Qt's zh_CN translations
// whatever the system locale. Returns false when the translations are not
// installed; the program then works on with Qt's English captions.
bool useChineseToolkit();

} // namespace ssq::platform
