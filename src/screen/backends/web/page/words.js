// The screen's words as text of the page: the rows the game shows now (one paragraph each), the
// picture's description and the clock, what was shown before since the page started, and a polite
// live region that says what changed whenever the game waits for the player. Screen readers,
// portrait phones and zoom read this; the canvas stays as it is.
import { onWait } from './waits.js';

const rowsBox = document.getElementById('rows');
const picture = document.getElementById('picture');
const clock = document.getElementById('clock');
const historyBox = document.getElementById('history');
const historyText = document.getElementById('history-text');
const said = document.getElementById('said');
const words = document.getElementById('words');
const showWords = document.getElementById('show-words');

// Lines kept in the history; the oldest go first beyond this.
const kHistoryLines = 4000;

let shownRows = new Map();
// The entries of the last list: they are buttons, not lines of the story.
let entryTexts = new Set();
let toldRows = new Map();
let toldPicture = '';

function pictureLine(wait) {
  const p = wait.picture || {};
  if (!p.kind || p.kind === 'none' || !p.text) return '';
  return p.place ? `${p.place}: ${p.text}` : p.text;
}

function keepInHistory(text) {
  const line = document.createElement('p');
  line.textContent = text;
  historyText.appendChild(line);
  // Shown from its first line on: an empty one would only be pushed down by the first screen's rows.
  historyBox.hidden = false;
  while (historyText.childElementCount > kHistoryLines) historyText.firstElementChild.remove();
}

// The rows as they are now. Each row whose text is new since the last message goes to the
// history, but for the list's entries and the prompts still being answered (the cursor "_").
function showRows(wait) {
  if (wait.kind === 'list') entryTexts = new Set(wait.entries.map((e) => e.text.trim()));
  const now = new Map(wait.rows.map((r) => [r.row, r.text]));
  const lines = [...wait.rows.map((r) => r.text), ...(wait.plain || [])];
  const same = lines.length === rowsBox.childElementCount
    && [...rowsBox.children].every((p, i) => p.textContent === lines[i]);
  if (!same) {
    rowsBox.replaceChildren(...wait.rows.map((r) => {
      const p = document.createElement('p');
      p.textContent = r.text;
      p.dataset.row = String(r.row);
      return p;
    }), ...(wait.plain || []).map((text) => {
      const p = document.createElement('p');
      p.textContent = text;
      return p;
    }));
    // The screen's rows come first; the history below them stays where the player scrolled it.
    if (!historyBox.open) words.scrollTop = 0;
  }
  for (const [row, text] of now) {
    const kept = entryTexts.has(text.trim()) || text.endsWith('_');
    if (shownRows.get(row) !== text && !kept) keepInHistory(text);
  }
  shownRows = now;
}

// What changed since the last announcement, without the list's own entries and the answer's
// prompt row (the buttons and the input say those).
function announce(wait) {
  const skip = new Set(wait.kind === 'list' ? wait.entries.map((e) => e.row) : []);
  if (wait.kind === 'list' || wait.kind === 'typed') skip.add(wait.promptRow);
  const parts = [];
  const line = pictureLine(wait);
  if (line && line !== toldPicture) parts.push(line);
  toldPicture = line;
  const now = new Map();
  for (const r of wait.rows) {
    if (skip.has(r.row)) continue;
    now.set(r.row, r.text);
    if (toldRows.get(r.row) !== r.text) parts.push(r.text);
  }
  toldRows = now;
  if (parts.length > 0) said.textContent = parts.map((part) => part.trim()).join('\n');
}

function update(wait) {
  showRows(wait);
  picture.textContent = pictureLine(wait);
  clock.textContent = wait.clock ? 'Время ' + wait.clock : '';
  if (wait.kind !== 'nothing') announce(wait);
}

// Shown or hidden by its button where the screen leaves room for it only on request (landscape).
function setShown(shown) {
  words.classList.toggle('shown', shown);
  showWords.setAttribute('aria-pressed', String(shown));
}

export function watchWords() {
  onWait(update);
  showWords.addEventListener('click', () => setShown(!words.classList.contains('shown')));
}
