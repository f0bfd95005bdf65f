// The canvas's drawing buffer at the screen's own pixels, so that the walls
// and the score are as sharp as the screen, up to a budget: a 4K screen at
// full resolution would cost an integrated GPU four times the fragments of
// a 1080p one for a picture no one sees the difference in while walking.
export const maxBufferPixels = 2560 * 1440;

// { width, height } in device pixels for a canvas of `cssWidth` x
// `cssHeight` CSS pixels at `devicePixelRatio`. Never below one pixel, and
// at most the budget, below the CSS size if it must be (a 32:9 monitor at
// ratio 1); otherwise never below the CSS size (a ratio under 1 is a
// zoomed-out page).
export function drawingBufferSize(cssWidth, cssHeight, devicePixelRatio) {
  const width = Math.max(1, cssWidth);
  const height = Math.max(1, cssHeight);
  const withinBudget = Math.sqrt(maxBufferPixels / (width * height));
  const scale = Math.min(Math.max(1, devicePixelRatio || 1), withinBudget);
  // Rounded down, so that the budget holds whole.
  return { width: Math.max(1, Math.floor(width * scale)), height: Math.max(1, Math.floor(height * scale)) };
}
