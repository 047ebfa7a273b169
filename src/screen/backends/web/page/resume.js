// The tab's game survives a reload, a discarded tab or a restored session: the game's journal of
// each wait is kept in the tab's sessionStorage with the build that wrote it, and handed back to
// the game at the next start, which replays it. Nothing outlives the tab; each tab has its own.
const kKey = 'skellarine journal';
const kSentences = {
  yes: 'Игра продолжена.',
  refused: 'Прерванную игру продолжить не удалось, начата новая.',
  build: 'Игра обновилась, и прерванную игру продолжить нельзя: начата новая.',
};

// Why the page itself did not hand the kept journal over ('build' or 'refused'), for the first message.
let refusedHere = '';
let messages = 0;
// Set once the player asked for a new game: nothing is kept while the page reloads.
let leaving = false;
let notice = null;

export function tabStorage() {
  try {
    return window.sessionStorage;
  } catch {
    // Storage turned off: the game plays, and a reload starts anew.
    return null;
  }
}

// The journal to hand to the game: the tab's, when this build wrote it; '' for a new game.
export function savedJournal(build) {
  const store = tabStorage();
  const kept = store && store.getItem(kKey);
  if (!kept) return '';
  let entry = null;
  try {
    entry = JSON.parse(kept);
  } catch {
    // Not what this page writes: a new game, and the sentence.
  }
  if (entry && entry.build === build && typeof entry.journal === 'string') return entry.journal;
  store.removeItem(kKey);
  refusedHere = entry && typeof entry.build === 'string' ? 'build' : 'refused';
  return '';
}

function showNotice(why) {
  notice = document.createElement('p');
  notice.id = 'resumed';
  notice.className = 'notice resumed';
  notice.setAttribute('role', 'status');
  notice.append(kSentences[why]);
  if (why === 'yes') {
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = 'Новая игра';
    button.addEventListener('click', () => {
      leaving = true;
      const store = tabStorage();
      if (store) store.removeItem(kKey);
      location.reload();
    });
    notice.append(' ', button);
  }
  document.getElementById('stage').append(notice);
  if (window.skellarine) window.skellarine.resumed = why;
}

// Takes each of the game's messages: keeps its journal, and tells once how the start went.
export function keepJournal(json, build) {
  const message = JSON.parse(json);
  ++messages;
  if (messages === 1) {
    // When the game first waited: the benchmarks' end of a start, fresh or resumed.
    if (window.skellarine) window.skellarine.firstWaitMs = performance.now();
    const why = message.resumed || refusedHere;
    if (kSentences[why]) showNotice(why);
  } else if (notice && message.kind !== 'nothing') {
    // The player has answered: the game is theirs again.
    notice.remove();
    notice = null;
  }
  const store = tabStorage();
  if (leaving || !store || typeof message.journal !== 'string') return;
  try {
    if (message.journal) store.setItem(kKey, JSON.stringify({ build, journal: message.journal }));
    else store.removeItem(kKey);
  } catch (error) {
    // Full: an older journal must not stand in for this one, which a reload would resume wrongly.
    console.warn('the game is not kept for the tab:', error.message);
    store.removeItem(kKey);
  }
}
