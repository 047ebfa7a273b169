// What the game waits for, as its input operations tell the page (Module.gameWaits): a key, Enter,
// a typed answer, a choice from a list, or nothing. The page builds its touch controls on it.
const listeners = [];
let current = { kind: 'nothing', limit: 0, list: 0, open: false, promptRow: 0, entries: [] };

// The wait now in force.
export function currentWait() {
  return current;
}

// Calls listener(wait) after each change of the wait.
export function onWait(listener) {
  listeners.push(listener);
}

// Takes the game's notification. It arrives while the game runs; the listeners act after it has
// returned to the browser, so that events they send meet the game between its polls.
export function received(json) {
  const wait = JSON.parse(json);
  current = wait;
  if (window.skellarine) window.skellarine.wait = wait;
  setTimeout(() => {
    if (current !== wait) return;
    for (const listener of listeners) listener(wait);
  }, 0);
}
