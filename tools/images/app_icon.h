#pragma once

#include <QImage>

namespace quendra::imagegen {

// The program's icon, `size` pixels square on a transparent ground: a fan of three cards, a
// blue back on the left, a spade on the right and a heart in front. The hand-written
// packaging/quendra2000.svg draws the same fan with the same numbers.
QImage DrawAppIcon(int size);

} // namespace quendra::imagegen
