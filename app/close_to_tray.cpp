#include "app/close_to_tray.h"

#include <QSettings>

#include "platform/message_box.h"

bool KeepRunningInTray(QSettings& settings, QWidget* owner) {
    const QVariant saved = settings.value(kCloseToTrayKey);
    if (saved.isValid()) return saved.toBool();
    const bool keep =
        ShowMessageBox(owner,
                       QStringLiteral("关闭窗口后，让服装词典在系统托盘中继续运行吗？\n"
                                      "这样复制取词照常有效，托盘菜单的“退出”结束程序。\n"
                                      "这个选择会被记住。"),
                       MessageBoxType::YesNo | MessageBoxType::IconQuestion) ==
        MessageBoxAnswer::Yes;
    settings.setValue(kCloseToTrayKey, keep);
    settings.sync();
    return keep;
}
