#pragma once

#include <QPixmap>

namespace app {

// The two pictures of the about window, drawn by the program: the maker's word mark and a
// stylised fir tree over a stack of logs.
QPixmap drawMakerMark(const QSize &size);
QPixmap drawTreePicture(const QSize &size);

} // namespace app
