// Touch, built on what the game waits for: a tap is Enter where the game waits for Enter, a keypad
// appears for typed answers, a list's entries become large buttons that click the entry's row,
// and a long press outside a list shows the bare picture, as the right mouse button does. Buttons
// and keys act when the finger lifts inside them; sliding off cancels. The mouse and the keyboard
// are left alone.
import { fit } from './fit.js';
import { currentWait, onWait } from './waits.js';

// A finger held this long shows the bare picture.
const kPeekMs = 400;
// Fingers that move further than this before lifting are not a tap.
const kTapSlop = 12;
const kHeight = 480;
const kRowHeight = 14;
// List buttons: this tall where there is room, never below the least.
const kButtonHeight = 44;
const kButtonLeast = 36;
const kGap = 6;
// A click on a list entry that the game has not answered within this long is given again.
const kResendMs = 600;
// Mouse events that the browser makes up this soon after a touch are not the player's mouse.
const kAfterTouchMs = 1000;

const canvas = document.getElementById('canvas');
const panel = document.getElementById('panel');
const keypad = document.getElementById('keypad');
const choices = document.getElementById('choices');
const full = document.getElementById('full');
const turn = document.getElementById('turn');

let touchMode = false;
let ended = false;
let fullscreenAsked = false;
// The row of a list button tapped while the list was only a prompt: clicked once the list is open.
let pendingRow = 0;

// Mouse events as the game's SDL backend reads them, at a point of the page.
function mouse(type, x, y, button) {
  const init = {
    bubbles: true, cancelable: true, view: window, clientX: x, clientY: y,
    button: button, buttons: type === 'mousedown' ? (button === 2 ? 2 : 1) : 0,
  };
  const target = type === 'mouseup' ? document : canvas;
  target.dispatchEvent(new MouseEvent(type, init));
}

// A left click on a text row of the screen, in the middle of its width.
function clickRow(row) {
  const box = canvas.getBoundingClientRect();
  const x = box.left + box.width / 2;
  const y = box.top + ((kRowHeight * row - kRowHeight / 2 + 0.5) * box.height) / kHeight;
  mouse('mouseenter', x, y, 0);
  mouse('mousemove', x, y, 0);
  mouse('mousedown', x, y, 0);
  mouse('mouseup', x, y, 0);
}

const kCodes = {
  Backspace: ['Backspace', 8], Enter: ['Enter', 13], Escape: ['Escape', 27], '.': ['Period', 190],
  Y: ['KeyY', 89], N: ['KeyN', 78],
};
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

// Full screen, and landscape where the browser lets the page lock it.
function goFullscreen() {
  const root = document.documentElement;
  if (document.fullscreenElement || !root.requestFullscreen) return;
  root.requestFullscreen({ navigationUI: 'hide' }).then(() => {
    if (screen.orientation && screen.orientation.lock) screen.orientation.lock('landscape').catch(() => {});
  }, () => {});
}

// ---- The canvas ----

function listCovers(clientY) {
  const wait = currentWait();
  if (wait.kind !== 'list' || !wait.open || wait.entries.length === 0) return false;
  const box = canvas.getBoundingClientRect();
  const y = ((clientY - box.top) * kHeight) / box.height;
  // The list with its blank bands above and below.
  const first = wait.entries[0].row - 1;
  const last = wait.entries[wait.entries.length - 1].row + 1;
  return y >= kRowHeight * (first - 1) && y < kRowHeight * last;
}

let touch = null;
function onTouchStart(event) {
  event.preventDefault();
  event.stopImmediatePropagation();
  enterTouchMode();
  if (touch || event.changedTouches.length === 0) return;
  const t = event.changedTouches[0];
  touch = { id: t.identifier, x0: t.clientX, y0: t.clientY, x: t.clientX, y: t.clientY, peeking: false, moved: false };
  mouse('mouseenter', t.clientX, t.clientY, 0);
  mouse('mousemove', t.clientX, t.clientY, 0);
  const mine = touch;
  // A finger resting on a list is choosing, not asking for the picture.
  if (listCovers(t.clientY)) return;
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
  const wait = currentWait();
  if (touch.peeking) {
    mouse('mouseup', touch.x, touch.y, 2);
  } else if (event.type === 'touchend') {
    if (!fullscreenAsked) {
      fullscreenAsked = true;
      goFullscreen();
    }
    if ((wait.kind === 'enter' || wait.kind === 'key') && !touch.moved) {
      press('Enter');
    } else if (wait.kind === 'nothing' && !touch.moved) {
      // The win animation ends on any key; Escape is dropped by every question.
      press('Escape');
    } else {
      // A finger slid over the list still picks where it lifts, as a mouse would.
      mouse('mousemove', touch.x, touch.y, 0);
      mouse('mousedown', touch.x, touch.y, 0);
      mouse('mouseup', touch.x, touch.y, 0);
    }
  }
  touch = null;
}

// ---- Buttons that act on lift ----

// Calls act() when a finger (or the mouse) lifts inside the button it went down on.
function liftButton(button, act) {
  let pointer = null;
  const inside = (event) => {
    const box = button.getBoundingClientRect();
    return event.clientX >= box.left && event.clientX < box.right && event.clientY >= box.top && event.clientY < box.bottom;
  };
  button.addEventListener('pointerdown', (event) => {
    event.preventDefault();
    if (pointer !== null) return;
    pointer = event.pointerId;
    button.classList.add('pressed');
  });
  button.addEventListener('pointermove', (event) => {
    if (event.pointerId === pointer) button.classList.toggle('pressed', inside(event));
  });
  const finish = (event, acts) => {
    if (event.pointerId !== pointer) return;
    pointer = null;
    button.classList.remove('pressed');
    if (acts && inside(event)) act();
  };
  button.addEventListener('pointerup', (event) => finish(event, true));
  button.addEventListener('pointercancel', (event) => finish(event, false));
  button.addEventListener('click', (event) => event.preventDefault());
}

// Clicks an entry of the open list. Should the game not answer (a click it never saw), the same
// wait still stands a while later, and the click is given again; a click the game did see ends
// the wait at once, so nothing is clicked twice.
function clickEntry(row, tries = 2) {
  const wait = currentWait();
  clickRow(row);
  if (tries > 1) {
    setTimeout(() => {
      if (currentWait() === wait) clickEntry(row, tries - 1);
    }, kResendMs);
  }
}

function pick(row) {
  const wait = currentWait();
  if (wait.kind !== 'list') return;
  if (wait.open) {
    clickEntry(row);
  } else {
    // The first click anywhere opens the list; the second picks, once the list is open.
    pendingRow = row;
    clickRow(row);
  }
}

// The list's buttons in columns that fit the panel, each as tall as the room allows.
function layoutChoices() {
  const count = choices.children.length;
  if (count === 0) return;
  const box = choices.getBoundingClientRect();
  const room = Math.max(box.height, kButtonLeast);
  const fits = (height) => Math.max(1, Math.floor((room + kGap) / (height + kGap)));
  let perColumn = fits(kButtonHeight);
  let columns = Math.ceil(count / perColumn);
  // Columns narrower than this cannot hold a place's name: shorter buttons instead.
  if (columns > 1 && (box.width - (columns - 1) * kGap) / columns < 96) {
    perColumn = fits(kButtonLeast);
    columns = Math.ceil(count / perColumn);
  }
  perColumn = Math.ceil(count / columns);
  const height = Math.max(kButtonLeast, Math.min(56, Math.floor((room - (perColumn - 1) * kGap) / perColumn)));
  choices.classList.toggle('narrow', (box.width - (columns - 1) * kGap) / columns < 120);
  choices.style.gridTemplateColumns = `repeat(${columns}, 1fr)`;
  choices.style.gridTemplateRows = `repeat(${perColumn}, ${height}px)`;
}

function showChoices(wait) {
  const texts = wait.entries.map((e) => e.text + '|' + e.row).join('\n');
  if (choices.dataset.texts === texts && !choices.hidden) return;
  choices.dataset.texts = texts;
  choices.replaceChildren();
  for (const entry of wait.entries) {
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = entry.text;
    button.dataset.row = String(entry.row);
    liftButton(button, () => pick(entry.row));
    choices.appendChild(button);
  }
  choices.hidden = false;
}

// ---- Following the game ----

function update(wait) {
  if (!touchMode) return;
  const running = !ended;
  keypad.hidden = !(running && wait.kind === 'typed');
  if (running && wait.kind === 'list') {
    showChoices(wait);
  } else {
    choices.hidden = true;
    choices.dataset.texts = '';
  }
  if (wait.kind !== 'list') pendingRow = 0;
  if (wait.kind === 'list' && wait.open && pendingRow) {
    const row = pendingRow;
    pendingRow = 0;
    clickEntry(row);
  }
  full.hidden = !!document.fullscreenElement || !document.documentElement.requestFullscreen;
  turn.hidden = document.body.dataset.panel !== 'below';
  layoutChoices();
}

function enterTouchMode() {
  if (touchMode) return;
  touchMode = true;
  document.body.classList.add('touch');
  panel.hidden = false;
  fit();
  update(currentWait());
}

// No keypad, buttons or full-screen offer once the game has ended (a message stands there).
export function touchEnded() {
  ended = true;
  panel.hidden = true;
  fit();
}

export function watchTouch() {
  const active = { passive: false, capture: true };
  canvas.addEventListener('touchstart', onTouchStart, active);
  canvas.addEventListener('touchmove', onTouchMove, active);
  canvas.addEventListener('touchend', onTouchEnd, active);
  canvas.addEventListener('touchcancel', onTouchEnd, active);
  for (const button of keypad.querySelectorAll('button')) liftButton(button, () => press(button.dataset.key));
  liftButton(full, goFullscreen);
  panel.addEventListener('touchstart', enterTouchMode, { passive: true });
  // The browser follows a touch with mouse events of its own (a pointer that leaves the screen for
  // a button, say); the game would take that as the mouse leaving its window and see no clicks.
  // Touch reaches the game only as the page's own mouse events.
  let touchedAt = -Infinity;
  for (const type of ['touchstart', 'touchend', 'pointerdown', 'pointerup']) {
    window.addEventListener(type, (event) => {
      if (type.startsWith('touch') || event.pointerType === 'touch') touchedAt = performance.now();
    }, { capture: true, passive: true });
  }
  for (const type of ['mouseenter', 'mouseleave', 'mouseover', 'mouseout', 'mousemove', 'mousedown', 'mouseup']) {
    window.addEventListener(type, (event) => {
      if (!event.isTrusted) return;
      const fromTouch = event.sourceCapabilities && event.sourceCapabilities.firesTouchEvents;
      if (fromTouch || performance.now() - touchedAt < kAfterTouchMs) event.stopImmediatePropagation();
    }, true);
  }
  onWait(update);
  window.addEventListener('skellarine-fit', () => update(currentWait()));
  document.addEventListener('fullscreenchange', () => update(currentWait()));
  if (window.matchMedia && window.matchMedia('(pointer: coarse)').matches) enterTouchMode();
}
