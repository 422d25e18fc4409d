#pragma once
// PickPane: the rich text box 超级编辑框1随机号码 that shows the picks.

#include <QTextEdit>

namespace ssq::picks {

class PickPane : public QTextEdit {
    Q_OBJECT
public:
    explicit PickPane(QWidget* parent = nullptr);
};

} // namespace ssq::picks
