#include "ui/about_layout.h"

#include <algorithm>

void FitLinkRows(LinkRow* rows, int count, int rightEdge) {
    if (count <= 0) return;
    // A label grows into the gap before its link; the links move only when a
    // label's text reaches them, which keeps them where the template has them
    // whenever it can. The labels' texts end in a space, so no gap is lost.
    int linkColumn = rows[0].linkLeft;
    for (int i = 0; i < count; ++i) {
        LinkRow& row = rows[i];
        row.labelWidth = std::max(row.labelWidth, row.labelTextWidth);
        linkColumn = std::max({linkColumn, row.linkLeft, row.labelLeft + row.labelWidth});
    }
    for (int i = 0; i < count; ++i) {
        LinkRow& row = rows[i];
        row.linkLeft = linkColumn;
        row.linkWidth = std::max(row.linkTextWidth, std::min(row.linkWidth, rightEdge - linkColumn));
    }
}
