// The page's controls, built on what the game waits for and answering by meaning: a list's
// entries as buttons, a typed answer as a labelled input (and, on touch screens, a keypad), a
// «Дальше» button where the game waits for Enter or a key. They are in the page for screen readers
// everywhere and shown on touch screens, where a tap on the screen is Enter and a finger held on it
// shows the bare picture, as the right mouse button does. On touch, buttons act when the finger
// lifts inside them; sliding off cancels. The mouse and the keyboard on the screen are left alone.
import { fit } from './fit.js';
import { answer, currentWait, onWait, kChoose, kTyped, kEnter, kKey } from './waits.js';

// A finger held this long shows the bare picture.
const kPeekMs = 400;
// Fingers that move further than this before lifting are not a tap.
const kTapSlop = 12;
// List buttons: this tall where there is room, never below the least.
const kButtonHeight = 44;
const kGap = 6;
// Mouse events (and clicks) that the browser makes up this soon after a touch are not the player's.
const kAfterTouchMs = 1000;

const canvas = document.getElementById('canvas');
const panel = document.getElementById('panel');
const controls = document.getElementById('controls');
const keypad = document.getElementById('keypad');
const choices = document.getElementById('choices');
const typed = document.getElementById('typed');
const question = document.getElementById('question');
const input = document.getElementById('answer');
const next = document.getElementById('next');
const full = document.getElementById('full');
const turn = document.getElementById('turn');

let touchMode = false;
let ended = false;
// The game has waited for something (before that the page only holds its controls' places).
let started = false;
let fullscreenAsked = false;
// The player answers with the page's controls (not the keys or the mouse on the screen): the
// focus follows the waits.
let usingControls = false;

// Mouse events as the game's SDL backend reads them, at a point of the page.
function mouse(type, x, y, button) {
  const init = {
    bubbles: true, cancelable: true, view: window, clientX: x, clientY: y,
    button: button, buttons: type === 'mousedown' ? (button === 2 ? 2 : 1) : 0,
  };
  const target = type === 'mouseup' ? document : canvas;
  target.dispatchEvent(new MouseEvent(type, init));
}

// Full screen, and landscape where the browser lets the page lock it.
function goFullscreen() {
  const root = document.documentElement;
  if (document.fullscreenElement || !root.requestFullscreen) return;
  root.requestFullscreen({ navigationUI: 'hide' }).then(() => {
    if (screen.orientation && screen.orientation.lock) screen.orientation.lock('landscape').catch(() => {});
  }, () => {});
}

// ---- The canvas under a finger ----

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
    if (wait.kind === 'enter' || wait.kind === 'key') {
      if (!touch.moved) answer(kEnter);
    } else {
      // Elsewhere the finger is a mouse: the game decides what its click means.
      mouse('mousemove', touch.x, touch.y, 0);
      mouse('mousedown', touch.x, touch.y, 0);
      mouse('mouseup', touch.x, touch.y, 0);
    }
  }
  touch = null;
}

// ---- Buttons ----

// act() on a click (mouse, Enter, Space, a screen reader), and for a finger when it lifts inside
// the button it went down on; the click the browser makes up after that finger is not a second one.
function button(element, act) {
  let pointer = null;
  let touchedAt = -Infinity;
  const inside = (event) => {
    const box = element.getBoundingClientRect();
    return event.clientX >= box.left && event.clientX < box.right && event.clientY >= box.top && event.clientY < box.bottom;
  };
  const acted = () => {
    usingControls = true;
    act();
  };
  element.addEventListener('pointerdown', (event) => {
    if (event.pointerType !== 'touch') return;
    event.preventDefault();
    touchedAt = performance.now();
    if (pointer !== null) return;
    pointer = event.pointerId;
    element.classList.add('pressed');
  });
  element.addEventListener('pointermove', (event) => {
    if (event.pointerId === pointer) element.classList.toggle('pressed', inside(event));
  });
  const finish = (event, acts) => {
    if (event.pointerId !== pointer) return;
    pointer = null;
    touchedAt = performance.now();
    element.classList.remove('pressed');
    if (acts && inside(event)) acted();
  };
  element.addEventListener('pointerup', (event) => finish(event, true));
  element.addEventListener('pointercancel', (event) => finish(event, false));
  element.addEventListener('click', (event) => {
    event.preventDefault();
    if (performance.now() - touchedAt >= kAfterTouchMs) acted();
  });
  return element;
}

function makeButton(text, act, label) {
  const b = document.createElement('button');
  b.type = 'button';
  b.textContent = text;
  if (label) b.setAttribute('aria-label', label);
  return button(b, act);
}

// The entries the game says do something, each answering with its place in the list. The places
// are laid out as the city, columns of the grid as the game gives them; other lists in as many
// columns as the panel needs.
function showChoices(wait) {
  const key = wait.list + '|' + wait.entries.map((e) => e.text + (e.active === false ? '-' : '')).join('|');
  if (choices.dataset.key === key && !choices.hidden) return false;
  choices.dataset.key = key;
  choices.replaceChildren(...wait.entries.flatMap((entry, i) => (entry.active === false ? []
    : [makeButton(entry.text.trim(), () => answer(kChoose, i + 1))])));
  choices.dataset.columns = String(wait.columns || 0);
  choices.hidden = false;
  return true;
}

function layoutChoices() {
  const count = choices.children.length;
  if (count === 0 || choices.hidden) return;
  let columns = Number(choices.dataset.columns);
  if (!(columns > 0)) {
    // Below the screen the text needs the height; beside it the buttons take what there is.
    const room = Math.max(choices.getBoundingClientRect().height, kButtonHeight);
    const perColumn = Math.max(1, Math.floor((room + kGap) / (kButtonHeight + kGap)));
    columns = document.body.dataset.panel === 'below' ? 4 : Math.ceil(count / perColumn);
  }
  choices.style.gridTemplateColumns = `repeat(${columns}, minmax(0, 1fr))`;
  const width = (choices.getBoundingClientRect().width - (columns - 1) * kGap) / columns;
  // Narrow columns: the longest command still fits on one line.
  choices.classList.toggle('narrow', width < 110);
}

// The question of a typed answer: the last row above its prompt.
function questionOf(wait) {
  const above = wait.rows.filter((r) => r.row < wait.promptRow);
  return above.length ? above[above.length - 1].text.trim() : '';
}

// Keys for the answer the question asks: yes or no, or a number (a time has its point).
function showTyped(wait) {
  const asked = questionOf(wait);
  const yesNo = /Y\/N/.test(asked);
  const label = asked || 'Ваш ответ';
  if (typed.hidden || question.textContent !== label) {
    question.textContent = label;
    input.value = '';
    input.maxLength = wait.limit > 0 ? wait.limit : 524288;
    input.inputMode = yesNo ? 'text' : 'decimal';
    const keys = yesNo ? ['Y', 'N'] : ['1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '.'];
    keypad.replaceChildren(...keys.map((k) => makeButton(k, () => answer(kKey, 0, k))),
      makeButton('⌫', () => answer(kKey, 0, '\b'), 'Стереть'),
      makeButton('Ввод', () => answer(kKey, 0, '\r')));
    keypad.lastElementChild.classList.add('wide');
    typed.hidden = false;
    return true;
  }
  return false;
}

// ---- Following the game ----

function focusFor(wait, fresh) {
  const here = document.activeElement;
  const lost = !here || here === document.body || (panel.contains(here) && here.offsetParent === null);
  if (!fresh && !lost) return;
  if (!usingControls && !(lost && touchMode)) return;
  if (wait.kind === 'list' && choices.firstElementChild) choices.firstElementChild.focus({ preventScroll: true });
  // On touch the keypad, not the phone's keyboard that the input would call over the screen.
  else if (wait.kind === 'typed') (touchMode ? keypad.firstElementChild : input).focus({ preventScroll: true });
  else if (wait.kind === 'enter' || wait.kind === 'key') next.focus({ preventScroll: true });
}

function update(wait) {
  const running = !ended;
  let fresh = false;
  if (running && wait.kind === 'list') {
    fresh = showChoices(wait);
  } else {
    choices.hidden = true;
    choices.dataset.key = '';
  }
  if (running && wait.kind === 'typed') {
    fresh = showTyped(wait) || fresh;
  } else {
    typed.hidden = true;
  }
  keypad.hidden = typed.hidden || !touchMode;
  // On touch the keypad types on the screen itself; the text box stays for screen readers.
  typed.classList.toggle('unseen', touchMode);
  // Until the game first waits, «Дальше» keeps the place that the first help page needs, so
  // that nothing moves when it comes; it does nothing yet.
  started = started || wait.kind !== 'nothing';
  const wasNext = !next.hidden && !next.disabled;
  next.hidden = started && !(running && (wait.kind === 'enter' || wait.kind === 'key'));
  next.disabled = !started;
  fresh = fresh || (!next.hidden && !wasNext);
  controls.setAttribute('aria-busy', String(wait.kind === 'nothing'));
  full.hidden = !touchMode || !!document.fullscreenElement || !document.documentElement.requestFullscreen;
  turn.hidden = !touchMode || document.body.dataset.panel !== 'below';
  layoutChoices();
  if (wait.kind !== 'nothing') focusFor(wait, fresh);
}

function enterTouchMode() {
  if (touchMode) return;
  touchMode = true;
  document.body.classList.add('touch');
  panel.classList.remove('unseen');
  fit();
  update(currentWait());
}

// No controls once the game has ended (a message stands there); the focus goes to it.
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
  button(next, () => answer(kEnter));
  button(full, goFullscreen);
  typed.addEventListener('submit', (event) => {
    event.preventDefault();
    usingControls = true;
    answer(kTyped, 0, input.value);
    input.value = '';
  });
  // Keys typed in the page's controls are theirs, not the game's.
  for (const type of ['keydown', 'keypress', 'keyup']) panel.addEventListener(type, (event) => event.stopPropagation());
  // Keys or the mouse on the screen: the player plays there, and the focus stays.
  canvas.addEventListener('keydown', () => { usingControls = false; });
  canvas.addEventListener('mousedown', (event) => { if (event.isTrusted) usingControls = false; });
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
  window.addEventListener('skellarine-fit', () => {
    document.body.style.setProperty('--panel-width', panel.offsetWidth + 'px');
    update(currentWait());
  });
  document.addEventListener('fullscreenchange', () => update(currentWait()));
  if (window.matchMedia && window.matchMedia('(pointer: coarse)').matches) enterTouchMode();
}
