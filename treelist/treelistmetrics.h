// Pixel offsets of the tree list's rows. Layout, painting, hit testing and
// the in-place editor share them, so that what the mouse hits is what was
// drawn.
#ifndef KELCTRLS_TREELIST_TREELISTMETRICS_H
#define KELCTRLS_TREELIST_TREELISTMETRICS_H

namespace kel
{

// Rows start this far below the top of the content.
constexpr int kTopMargin = 2;
// The content is this much wider and taller than its rows.
constexpr int kContentMargin = 2;
// An item scrolled into view from below shows this much of the row above.
constexpr int kScrollIntoViewSlack = 3;

// Pixels per level: never fewer than kMinIndent; otherwise the button width
// plus a gap, smaller for buttons from an image list.
constexpr unsigned short kMinIndent = 16;
constexpr int kIndentBesideButtonImage = 2;
constexpr int kIndentBesideButton = 5;

// Size of the drawn expander buttons when no image list gives one.
constexpr int kDefaultButtonSize = 9;
// With wxTR_LINES_AT_ROOT the first level starts this much further right.
constexpr int kLinesAtRootMargin = 5;
// Gap at a cell's left edge, between an image and its label, and after the
// label when the cell is aligned to the right.
constexpr int kCellMargin = 2;
// Space between an expander button's right half and the item image.
constexpr int kButtonToContent = 7;
// Length of the line from an expander button towards the item.
constexpr int kButtonLineStub = 5;
// Button images start this far right of the button's left edge; the bars of
// a drawn "+" or "-" stop this far inside its box; a triangle button reaches
// this far beyond it.
constexpr int kButtonImageInset = 2;
constexpr int kButtonBarInset = 2;
constexpr int kTwistOverhang = 1;

// Widths that fit a cell's text: the text plus kColumnPadding in a plain
// column; in the main column the text plus kMainColumnPadding (more with
// lines at the root), the button and image, and the indent of the level.
constexpr int kColumnPadding = 8;
constexpr int kMainColumnPadding = 10;

} // namespace kel

#endif
