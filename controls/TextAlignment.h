#pragma once

// Where a label or a list cell puts its text: the one alignment the drawn
// buttons, the drawn list's columns and its rows share. The values are those
// of the stored column formats (left 0, right 1, centre 2).
enum TextAlignment { AlignLeft = 0, AlignRight = 1, AlignCentre = 2 };
