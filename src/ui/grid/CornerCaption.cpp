#include "ui/grid/CornerCaption.h"

#include <QAbstractButton>
#include <QEvent>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableView>

namespace vemo {
namespace {

// The corner of a table view is a button that draws an empty header section; this draws the section
// with the caption instead.
class CornerPainter : public QObject {
public:
    CornerPainter(QAbstractButton* corner, QString caption) : QObject(corner), caption_(std::move(caption)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) {
            return false;
        }
        auto* corner = static_cast<QAbstractButton*>(watched);
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.rect = corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = caption_;
        option.textAlignment = Qt::AlignCenter;
        QStylePainter painter(corner);
        painter.drawControl(QStyle::CE_Header, option);
        return true;
    }

private:
    QString caption_;
};

} // namespace

void SetCornerCaption(QTableView& table, const QString& caption) {
    if (auto* corner = table.findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        corner->installEventFilter(new CornerPainter(corner, caption));
        corner->setAccessibleName(caption);
    }
}

} // namespace vemo
