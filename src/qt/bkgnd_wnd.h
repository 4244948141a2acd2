// CBkgndWnd: the background of the empty document area. Mode 1 is the
// style's own; mode 3 tiles a bitmap file from the top-left corner; mode 2
// (the desktop wallpaper) has no portable source on this platform and falls
// back to the style's background, as a missing bitmap does.
#pragma once

#include <QPixmap>
#include <QString>

class QMdiArea;

namespace qz {

class CBkgndWnd {
public:
    explicit CBkgndWnd(QMdiArea* area);
    // Loads a Windows bitmap file ("BM" first): false, and no bitmap, on any failure.
    bool LoadBitmap(const QString& path);
    // Sets the mode and repaints.
    void SetMode(int mode);
    int Mode() const { return mode_; }
    bool HasBitmap() const { return !bitmap_.isNull(); }

private:
    QMdiArea* area_;
    QPixmap bitmap_;
    int mode_ = 1;
};

}  // namespace qz
