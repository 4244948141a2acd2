#include "qt/bkgnd_wnd.h"

#include <QFile>
#include <QImage>
#include <QMdiArea>

namespace qz {

CBkgndWnd::CBkgndWnd(QMdiArea* area) : area_(area) {}

bool CBkgndWnd::LoadBitmap(const QString& path) {
    bitmap_ = QPixmap();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = f.readAll();
    if (data.size() < 14 || data[0] != 'B' || data[1] != 'M') return false;
    QImage image;
    if (!image.loadFromData(data, "BMP")) return false;
    bitmap_ = QPixmap::fromImage(image);
    return !bitmap_.isNull();
}

void CBkgndWnd::SetMode(int mode) {
    mode_ = mode;
    const bool tiled = mode != 1 && mode != 2 && !bitmap_.isNull();
    // A brush with a pixmap tiles it from the area's top-left corner.
    area_->setBackground(tiled ? QBrush(bitmap_) : area_->palette().brush(QPalette::Dark));
    area_->viewport()->update();
}

}  // namespace qz
