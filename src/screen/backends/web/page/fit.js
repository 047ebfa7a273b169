// Fitting the screen: the largest 4:3 size that fits the window (beside or above the touch panel),
// drawn sharp at any size. The game's own canvas takes the input; where a game pixel gets fewer
// than two device pixels, a second canvas shows it drawn at the next whole multiple with hard
// edges, which the browser then scales down smoothly to the exact size.
const kWidth = 640;
const kHeight = 480;
// The touch panel's least room beside the screen (landscape) or below it (portrait), in CSS px
// (page.css has them too).
const kPanelSide = 200;
const kPanelBelow = 210;

const canvas = document.getElementById('canvas');
const screen = document.getElementById('screen');
const panel = document.getElementById('panel');
let screenContext = null;
// The multiple the sharp canvas is drawn at, and the one the window wants.
let multiple = 0;
let wanted = 1;
let dirty = true;
let drawing = false;
// Nothing to copy until the game draws its first frame: the loading box covers the screen till then.
let drawn = false;

function draw() {
  drawing = false;
  if (screen.hidden || !dirty) return;
  dirty = false;
  // Sized and given its context when there is a frame to show: a large canvas is not cheap.
  if (wanted !== multiple) {
    multiple = wanted;
    screen.width = kWidth * wanted;
    screen.height = kHeight * wanted;
  }
  // Opaque: the browser need not blend it with what lies under it.
  if (!screenContext) screenContext = screen.getContext('2d', { alpha: false });
  screenContext.imageSmoothingEnabled = false;
  if (canvas.width > 0) screenContext.drawImage(canvas, 0, 0, screen.width, screen.height);
}

// The copy gets a task of its own at once rather than a place in the browser's next frame: with
// the frame's own work it would make one long task. A hidden page copies nothing until it shows.
const drawSoon = new MessageChannel();
drawSoon.port1.onmessage = draw;

function changed() {
  dirty = true;
  if (!drawing && !screen.hidden && drawn && !document.hidden) {
    drawing = true;
    drawSoon.port2.postMessage(null);
  }
}

// The game draws its frames with putImageData; each one is copied once to the sharp canvas.
function watchFrames() {
  // The first to ask for it, so the game's frames are opaque too: their alpha byte means nothing.
  const context = canvas.getContext('2d', { alpha: false });
  if (!context) return;
  const put = context.putImageData.bind(context);
  context.putImageData = (...args) => {
    put(...args);
    drawn = true;
    changed();
  };
}

// The screen's width in CSS px for a window of width x height, and where the panel goes: the same
// rule as page.css, which lays the page out before any script runs; this only makes it whole
// pixels. Beside, the panel gets the rest of the width; it goes below when that leaves it its room.
function layout(width, height, withPanel) {
  const side = withPanel ? kPanelSide : 0;
  const below = withPanel ? kPanelBelow : 0;
  const cssW = Math.floor(Math.max(Math.min(width - side, (height * kWidth) / kHeight),
    Math.min(width, ((height - below) * kWidth) / kHeight)));
  const cssH = Math.floor((cssW * kHeight) / kWidth);
  if (!withPanel) return { cssW, cssH, panel: 'none' };
  return { cssW, cssH, panel: cssH + kPanelBelow <= height ? 'below' : 'beside' };
}

export function fit() {
  // The desktop's panel is only for screen readers and takes no room.
  const withPanel = !panel.hidden && !panel.classList.contains('unseen');
  const plan = layout(window.innerWidth, window.innerHeight, withPanel);
  const cssW = Math.max(plan.cssW, 64);
  const cssH = Math.max(plan.cssH, 48);
  const body = document.body;
  body.dataset.panel = plan.panel;
  body.style.setProperty('--screen-w', cssW + 'px');
  body.style.setProperty('--screen-h', cssH + 'px');
  // Two or more device pixels to a game pixel: hard edges read well at any fraction.
  const devicePerGame = (cssW / kWidth) * (window.devicePixelRatio || 1);
  const pixelated = devicePerGame >= 2 || Math.abs(devicePerGame - Math.round(devicePerGame)) < 0.01;
  canvas.classList.toggle('hidden-under', !pixelated);
  screen.hidden = pixelated;
  wanted = Math.max(1, Math.ceil(devicePerGame - 0.01));
  changed();
  window.dispatchEvent(new Event('skellarine-fit'));
}

export function watchFit() {
  watchFrames();
  document.addEventListener('visibilitychange', changed);
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', fit);
  fit();
}
