// Fitting the screen: the largest 4:3 size that fits the window (beside or above the touch panel),
// drawn sharp at any size. The game's own canvas takes the input; where a game pixel gets fewer
// than two device pixels, a second canvas shows it drawn at the next whole multiple with hard
// edges, which the browser then scales down smoothly to the exact size.
const kWidth = 640;
const kHeight = 480;
// The touch panel's least room beside the screen (landscape) or below it (portrait), in CSS px.
const kPanelSide = 200;
const kPanelBelow = 210;

const canvas = document.getElementById('canvas');
const screen = document.getElementById('screen');
const panel = document.getElementById('panel');
const screenContext = screen.getContext('2d');

let multiple = 0;
let dirty = true;
let drawing = false;

function draw() {
  drawing = false;
  if (screen.hidden || !dirty) return;
  dirty = false;
  screenContext.imageSmoothingEnabled = false;
  if (canvas.width > 0) screenContext.drawImage(canvas, 0, 0, screen.width, screen.height);
}

function changed() {
  dirty = true;
  if (!drawing && !screen.hidden) {
    drawing = true;
    requestAnimationFrame(draw);
  }
}

// The game draws its frames with putImageData; each one is copied once to the sharp canvas.
function watchFrames() {
  const context = canvas.getContext('2d');
  if (!context) return;
  const put = context.putImageData.bind(context);
  context.putImageData = (...args) => {
    put(...args);
    changed();
  };
}

// The size of the screen and where the panel goes, for a window of width x height CSS px.
function layout(width, height, withPanel) {
  const scaleAlone = Math.min(width / kWidth, height / kHeight);
  if (!withPanel) return { scale: scaleAlone, panel: 'none' };
  const beside = Math.min((width - kPanelSide) / kWidth, height / kHeight);
  const below = Math.min(width / kWidth, (height - kPanelBelow) / kHeight);
  return beside >= below ? { scale: beside, panel: 'beside' } : { scale: below, panel: 'below' };
}

export function fit() {
  const withPanel = !panel.hidden && !panel.classList.contains('unseen');
  const width = window.innerWidth;
  const height = window.innerHeight;
  const plan = layout(width, height, withPanel);
  const scale = Math.max(plan.scale, 0.1);
  const cssW = Math.floor(kWidth * scale);
  const cssH = Math.floor((cssW * kHeight) / kWidth);
  document.body.dataset.panel = plan.panel;
  for (const c of [canvas, screen]) {
    c.style.width = cssW + 'px';
    c.style.height = cssH + 'px';
  }
  if (plan.panel === 'beside') {
    panel.style.width = (width - cssW) + 'px';
    panel.style.height = '';
  } else if (plan.panel === 'below') {
    panel.style.height = (height - cssH) + 'px';
    panel.style.width = '';
  }
  // Two or more device pixels to a game pixel: hard edges read well at any fraction.
  const devicePerGame = (cssW / kWidth) * (window.devicePixelRatio || 1);
  const pixelated = devicePerGame >= 2 || Math.abs(devicePerGame - Math.round(devicePerGame)) < 0.01;
  canvas.classList.toggle('hidden-under', !pixelated);
  screen.hidden = pixelated;
  const wanted = Math.max(1, Math.ceil(devicePerGame - 0.01));
  if (!pixelated && wanted !== multiple) {
    multiple = wanted;
    screen.width = kWidth * wanted;
    screen.height = kHeight * wanted;
  }
  changed();
  window.dispatchEvent(new Event('skellarine-fit'));
}

export function watchFit() {
  watchFrames();
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', fit);
  fit();
}
