#include "console/main/consolefont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace console {

void applyConsoleFont()
{
    const QStringList families = QFontDatabase::families();
    for (const QString &family : {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"),
                                  QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans JP")}) {
        if (families.contains(family)) {
            QFont f(family);
            f.setPointSize(10);
            QApplication::setFont(f);
            return;
        }
    }
}

} // namespace console
