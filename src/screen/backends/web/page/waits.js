// What the game waits for and what its screen says, as its input operations tell the page
// (Module.gameWaits), and the one way back: an answer by meaning (skellarine_answer). The page
// builds its controls and its text on the first and acts only through the second.
const listeners = [];
const kNoWait = {
  kind: 'nothing', limit: 0, list: 0, open: false, promptRow: 0, entries: [], columns: 0, rows: [], clock: '',
  picture: { kind: 'none', file: '', place: '', text: '' }, plain: [],
};
let current = kNoWait;

// The kinds of answer the game takes.
export const kChoose = 1;
export const kTyped = 2;
export const kEnter = 3;
export const kKey = 4;

// The wait now in force.
export function currentWait() {
  return current;
}

// Calls listener(wait) after each change of the wait.
export function onWait(listener) {
  listeners.push(listener);
}

// Hands the game one answer: entry index (1-based, 0 beside the list) of the list now offered,
// a typed text, Enter, or one key. The game drops what its wait cannot take.
// Called straight rather than through ccall: while the game sleeps (nearly always), ccall would
// wait for the game's main to return and keep the runtime alive until then, so that the game's
// own end would never be reported.
export function answer(kind, index = 0, text = '') {
  const game = window.Module;
  if (!game || typeof game._skellarine_answer !== 'function') return;
  const stack = game.stackSave();
  try {
    game._skellarine_answer(kind, index, game.allocateUTF8OnStack(text));
  } finally {
    game.stackRestore(stack);
  }
}

// Takes the game's notification. It arrives while the game runs; the listeners act after it has
// returned to the browser.
export function received(json) {
  const wait = { ...kNoWait, ...JSON.parse(json) };
  current = wait;
  if (window.skellarine) window.skellarine.wait = wait;
  setTimeout(() => {
    if (current !== wait) return;
    for (const listener of listeners) listener(wait);
  }, 0);
}
