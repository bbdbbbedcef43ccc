#pragma once
// Max makes every control larger by one factor, Min gives the start-up sizes back: the size
// limits each control was built with (a view's least size, a dial's fixed size, a box's widest)
// are scaled, and the layouts share the larger window out accordingly. The coverage and
// altitude pictures ("picAlphaBeta") keep their size. Fonts are not scaled.

class QWidget;

namespace desktop {

// factor 1 is the start-up size.
void scaleControls(QWidget* root, double factor);

}  // namespace desktop
