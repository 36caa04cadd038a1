#include "platform/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(
        QStringLiteral("宋体"),
        {QStringLiteral("SimSun"), QStringLiteral("AR PL SungtiL GB"),
         QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitution(QStringLiteral("MS Shell Dlg"),
                              QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
}
