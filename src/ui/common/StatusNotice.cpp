#include "ui/common/StatusNotice.h"

#include "core/text/MessagesNotices.h"
#include "ui/common/Cp932Text.h"

#include <QDir>
#include <QHash>
#include <QObject>
#include <QWidget>

namespace vemo {
namespace {

QHash<const QWidget*, std::function<void(const QString&)>>& Sinks() {
    static QHash<const QWidget*, std::function<void(const QString&)>> sinks;
    return sinks;
}

} // namespace

void SetStatusNoticeSink(QWidget* window, std::function<void(const QString&)> sink) {
    if (!Sinks().contains(window)) {
        QObject::connect(window, &QObject::destroyed, [window] { Sinks().remove(window); });
    }
    Sinks().insert(window, std::move(sink));
}

void ShowStatusNotice(QWidget* near, const QString& text) {
    for (QWidget* widget = near; widget != nullptr; widget = widget->parentWidget()) {
        auto found = Sinks().constFind(widget);
        if (found != Sinks().constEnd()) {
            found.value()(text);
            return;
        }
    }
}

QString FileWrittenNotice(const std::string& cp932Kind, const QString& path) {
    return FromCp932(msg::FileWritten(cp932Kind, "%1")).arg(QDir::toNativeSeparators(path));
}

} // namespace vemo
