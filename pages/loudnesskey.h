// The loudness page's key to its cells' colours: what a grey cell is, and the three
// marks a level can carry (lower than a level to its left, outside the range, out of
// date). Each entry's tool tip says it in a sentence.
#pragma once

class QFrame;
class QWidget;

// Makes the key on the page, its top left corner at (left, top), one row wide.
QFrame* buildLoudnessKey(QWidget* page, int left, int top);
