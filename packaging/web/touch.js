// Touch: a tap is a left click, a long press the right button held (the picture peek), and a
// keypad types short answers where there is no keyboard.
import { fit } from './fit.js';

// A finger held this long shows the bare picture, as the right mouse button does.
const kPeekMs = 400;
// Fingers that move further than this before lifting are not a tap.
const kTapSlop = 12;

const canvas = document.getElementById('canvas');
const keypad = document.getElementById('keypad');

// Mouse events as the game's SDL backend reads them, at a point of the page.
function mouse(type, x, y, button) {
  const init = {
    bubbles: true, cancelable: true, view: window, clientX: x, clientY: y,
    button: button, buttons: type === 'mousedown' ? (button === 2 ? 2 : 1) : 0,
  };
  const target = type === 'mouseup' ? document : canvas;
  target.dispatchEvent(new MouseEvent(type, init));
}

let touch = null;
function onTouchStart(event) {
  event.preventDefault();
  event.stopImmediatePropagation();
  showKeypad();
  if (touch || event.changedTouches.length === 0) return;
  const t = event.changedTouches[0];
  touch = { id: t.identifier, x0: t.clientX, y0: t.clientY, x: t.clientX, y: t.clientY, peeking: false, moved: false };
  mouse('mouseenter', t.clientX, t.clientY, 0);
  mouse('mousemove', t.clientX, t.clientY, 0);
  const mine = touch;
  touch.timer = setTimeout(() => {
    if (touch !== mine || mine.moved) return;
    mine.peeking = true;
    mouse('mousedown', mine.x, mine.y, 2);
  }, kPeekMs);
}
function findTouch(event) {
  if (!touch) return null;
  for (const t of event.changedTouches) if (t.identifier === touch.id) return t;
  return null;
}
function onTouchMove(event) {
  event.preventDefault();
  event.stopImmediatePropagation();
  const t = findTouch(event);
  if (!t) return;
  touch.x = t.clientX;
  touch.y = t.clientY;
  if (Math.hypot(touch.x - touch.x0, touch.y - touch.y0) > kTapSlop) touch.moved = true;
  mouse('mousemove', touch.x, touch.y, 0);
}
function onTouchEnd(event) {
  event.preventDefault();
  event.stopImmediatePropagation();
  const t = findTouch(event);
  if (!t) return;
  clearTimeout(touch.timer);
  if (touch.peeking) {
    mouse('mouseup', touch.x, touch.y, 2);
  } else if (event.type === 'touchend') {
    // A finger slid over the list still picks where it lifts, as a mouse would.
    mouse('mousemove', touch.x, touch.y, 0);
    mouse('mousedown', touch.x, touch.y, 0);
    mouse('mouseup', touch.x, touch.y, 0);
  }
  touch = null;
}

function showKeypad() {
  if (!keypad.hidden) return;
  keypad.hidden = false;
  fit();
}

export function hideKeypad() {
  keypad.hidden = true;
  fit();
}

const kCodes = { Backspace: ['Backspace', 8], Enter: ['Enter', 13], '.': ['Period', 190], Y: ['KeyY', 89], N: ['KeyN', 78] };
function keyEvent(type, key, code, keyCode, charCode) {
  const event = new KeyboardEvent(type, { key: key, code: code, bubbles: true, cancelable: true });
  // The game's keyboard layer reads these older fields, which the constructor cannot set.
  Object.defineProperty(event, 'keyCode', { get: () => keyCode });
  Object.defineProperty(event, 'which', { get: () => keyCode });
  Object.defineProperty(event, 'charCode', { get: () => charCode });
  window.dispatchEvent(event);
}
function press(key) {
  let code;
  let keyCode;
  if (kCodes[key]) {
    [code, keyCode] = kCodes[key];
  } else {
    code = 'Digit' + key;
    keyCode = key.charCodeAt(0);
  }
  keyEvent('keydown', key, code, keyCode, 0);
  if (key.length === 1) keyEvent('keypress', key, code, key.charCodeAt(0), key.charCodeAt(0));
  keyEvent('keyup', key, code, keyCode, 0);
}

export function watchTouch() {
  const active = { passive: false, capture: true };
  canvas.addEventListener('touchstart', onTouchStart, active);
  canvas.addEventListener('touchmove', onTouchMove, active);
  canvas.addEventListener('touchend', onTouchEnd, active);
  canvas.addEventListener('touchcancel', onTouchEnd, active);
  if (window.matchMedia && window.matchMedia('(pointer: coarse)').matches) showKeypad();
  for (const button of keypad.querySelectorAll('button')) {
    // Neither focus nor a synthetic click: the press goes to the game at once.
    button.addEventListener('pointerdown', (event) => {
      event.preventDefault();
      press(button.dataset.key);
    });
    button.addEventListener('click', (event) => event.preventDefault());
  }
}
