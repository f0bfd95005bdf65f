// The floor under the browser game's frame time: a WebGL2 canvas made as the
// game makes its own (the context the browser's GLFW asks for with four
// samples and no alpha), sized as the game page sizes its canvas, cleared to
// the game's sky every frame and drawn in nothing else. The game's frame time
// over this one is what its scene costs on top of any frame of that canvas in
// this browser.
const contextAttributes = Object.freeze({ alpha: false, depth: true, stencil: true, antialias: true });
// The game's clear colour (src/app/GameConstants.h).
const sky = Object.freeze([0.0, 0.0, 0.4, 0.0]);

const root = document.documentElement;
const canvas = document.getElementById('canvas');

// The drawing buffer at the screen's pixels, as the game page has it at the
// sizes the bench uses (well inside its pixel budget).
function fitDrawingBuffer() {
  const width = Math.max(1, Math.round(canvas.clientWidth * devicePixelRatio));
  const height = Math.max(1, Math.round(canvas.clientHeight * devicePixelRatio));
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
}

function start() {
  const gl = canvas.getContext('webgl2', contextAttributes);
  if (!gl) {
    root.dataset.state = 'failed';
    document.getElementById('message').textContent = 'This browser gives the floor no WebGL2 context.';
    return;
  }
  gl.clearColor(...sky);
  const clearFrame = () => {
    fitDrawingBuffer();
    gl.viewport(0, 0, canvas.width, canvas.height);
    gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
    // Once: a change to the page's attributes in every frame would cost the
    // floor a style pass that the game's frames do not pay.
    if (root.dataset.state !== 'cleared') root.dataset.state = 'cleared';
    requestAnimationFrame(clearFrame);
  };
  requestAnimationFrame(clearFrame);
}

start();
