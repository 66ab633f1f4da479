#include "ui/about_layout.h"

#include <algorithm>

void FitLinkRows(LinkRow* rows, int count, int rightEdge) {
    if (count <= 0) return;
    int gap = rows[0].linkLeft - (rows[0].labelLeft + rows[0].labelWidth);
    int linkColumn = rows[0].linkLeft;
    for (int i = 0; i < count; ++i) {
        gap = std::min(gap, rows[i].linkLeft - (rows[i].labelLeft + rows[i].labelWidth));
        linkColumn = std::max(linkColumn, rows[i].linkLeft);
    }
    gap = std::max(gap, 0);
    for (int i = 0; i < count; ++i) {
        LinkRow& row = rows[i];
        row.labelWidth = std::max(row.labelWidth, row.labelTextWidth);
        linkColumn = std::max(linkColumn, row.labelLeft + row.labelWidth + gap);
    }
    for (int i = 0; i < count; ++i) {
        LinkRow& row = rows[i];
        row.linkLeft = linkColumn;
        row.linkWidth = std::max(row.linkTextWidth, std::min(row.linkWidth, rightEdge - linkColumn));
    }
}
