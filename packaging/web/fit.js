// The screen at the largest whole multiple that fits, or shrunk to fit, always 4:3.
const kWidth = 640;
const kHeight = 480;

const stage = document.getElementById('stage');
const canvas = document.getElementById('canvas');

export function fit() {
  const room = stage.getBoundingClientRect();
  let scale = Math.min(room.width / kWidth, room.height / kHeight);
  if (scale >= 1) scale = Math.floor(scale);
  scale = Math.max(scale, 0.1);
  canvas.style.width = Math.round(kWidth * scale) + 'px';
  canvas.style.height = Math.round(kHeight * scale) + 'px';
  // Whole multiples keep every pixel square and sharp; a shrunk screen reads better smoothed.
  canvas.classList.toggle('shrunk', scale < 1);
}

export function watchFit() {
  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  fit();
}
