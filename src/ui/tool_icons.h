#pragma once

#include <QIcon>

namespace quendra {

// The pictures of the tool bars' buttons.
enum class ToolGlyph {
    New,
    Open,
    Save,
    Restart,
    Undo,
    Redo,
    Autoplay,
    Statistics,
    Search,
    Rules,
    Exit,
};

// A tool button's icon, drawn at the size and device pixel ratio it is shown at when first
// shown (crisp at every size, nothing read or decoded); grey when the button is disabled.
QIcon ToolIcon(ToolGlyph glyph);

} // namespace quendra
