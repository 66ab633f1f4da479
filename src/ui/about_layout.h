#pragma once
// Widths in the About dialog: its labels and links are given the room their
// text takes in the dialog's font at the scale it is shown at. Portable: no
// Windows headers.

// One line of the dialog: a label ("Web: ") and the link after it, in pixels.
struct LinkRow {
    int labelLeft;
    int labelWidth;
    int labelTextWidth;
    int linkLeft;
    int linkWidth;
    int linkTextWidth;
};

// Widens each label to its text and, where a label then reaches its link,
// moves the links, still one under the other, right of it. A link is as wide
// as its text, and otherwise reaches no further than rightEdge.
void FitLinkRows(LinkRow* rows, int count, int rightEdge);
