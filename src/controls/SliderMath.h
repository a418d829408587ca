#pragma once
// The arithmetic of the image slider, apart from any widget.

namespace quenlar::controls {

struct ThumbPlacement {
    int thumbX = 0;
    int thumbY = 0;
};

// Where the thumb image goes for a horizontal slider whose own thumb spans thumbLeft..thumbRight
// (right exclusive). The image (thumbWidth wide) is centred on the slider's thumb; the division
// truncates towards zero. crossOffset is the offset across the slider's direction.
ThumbPlacement PlaceThumb(int thumbLeft, int thumbRight, int thumbWidth, int crossOffset);

// The value a click selects: d pixels from the channel's start on a channel w pixels wide, over
// the range min..max. p = d (max - min) / w truncated, plus one when the exact quotient is at
// least 0.5 above p. The result is p itself (not min + p) and is not clamped: the slider clamps.
// A channel of no width gives no value: returns false.
bool ClickToValue(int d, int w, int min, int max, int &value);

} // namespace quenlar::controls
