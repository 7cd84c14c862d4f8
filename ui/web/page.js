// Orvanta's page: the menu, the message boxes, the field's canvas fitted to
// the screen, its cursor and label, the status bar, the statistics in the
// browser's storage and the download. The program (orvanta.js) calls in
// through orvantaPage.
'use strict';

// The games of pages that have closed; each open page keeps its own games
// under this key and a name of its own, so that no page overwrites another's.
const STATISTICS_KEY = 'orvanta.statistics';
const PAGE_KEY = STATISTICS_KEY + '.' + Math.random().toString(36).slice(2);
const COUNTER_LIMIT = 0x7fffffff;
const ADDRESS_VALUE_LIMIT = 64;
// A screen reader hears the status and the field's label change at most this often.
const SPOKEN_GAP_MS = 2000;
const OUTCOMES = ['', '; the game is lost', '; the game is won'];
const CURSOR_STEPS = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };

const main = document.querySelector('main');
const windowFrame = document.querySelector('.window');
const canvas = document.getElementById('field');
const cursorMark = document.getElementById('cursor');
const statusParts = [document.getElementById('part0'), document.getElementById('part1')];
const spoken = document.getElementById('spoken');
const box = document.getElementById('box');
const menuBar = document.querySelector('.menubar');
let menus = [];
let optionItems = [];
let openMenu = null;

// The field one pixel a pixel, as the program draws it; the canvas shows it
// scaled by a whole number of device pixels, so nothing is blurred.
const picture = document.createElement('canvas');
let pictureImage = null;
let context = null;
let fittedRatio = 0;
let fittedScale = 0;

// The largest whole number of device pixels a field pixel (1 at least) that
// lets everything on the page fit the screen without scrolling. Called again
// when the screen's size or scale changes (a zoom, another screen, a turn).
function fitToScreen() {
  const ratio = window.devicePixelRatio || 1;
  const screen = document.documentElement;
  const aroundWidth = windowFrame.offsetWidth - canvas.offsetWidth + 2 * parseFloat(getComputedStyle(main).paddingLeft);
  const aroundHeight = main.offsetHeight - canvas.offsetHeight;
  const scale = Math.max(1, Math.floor(Math.min((screen.clientWidth - aroundWidth) * ratio / picture.width,
                                                (screen.clientHeight - aroundHeight) * ratio / picture.height)));
  if (ratio !== fittedRatio) {
    matchMedia('(resolution: ' + ratio + 'dppx)').addEventListener('change', fitToScreen, { once: true });
  }
  if (ratio === fittedRatio && scale === fittedScale) return;
  fittedRatio = ratio;
  fittedScale = scale;
  canvas.width = picture.width * scale;
  canvas.height = picture.height * scale;
  screen.style.setProperty('--pixel', scale / ratio + 'px');
  context = canvas.getContext('2d');
  context.imageSmoothingEnabled = false;
  context.drawImage(picture, 0, 0, canvas.width, canvas.height);
}

// show(value) with the latest value it is handed, at once or SPOKEN_GAP_MS
// after the last, whichever is later: a listener is never flooded.
function paced(show) {
  let last = -Infinity;
  let timer = 0;
  let latest;
  return (value) => {
    latest = value;
    if (timer) return;
    timer = setTimeout(() => {
      timer = 0;
      last = performance.now();
      show(latest);
    }, Math.max(0, last + SPOKEN_GAP_MS - performance.now()));
  };
}

const speak = paced((text) => { spoken.textContent = text; });
let fieldCounts = '';
let cursorCell = '';
const labelField = () => canvas.setAttribute('aria-label', `Minefield: ${fieldCounts}. Cursor on ${cursorCell}.`);
const relabelField = paced(labelField);

// ---- The statistics: the closed pages' row and every open page's own games, added up ----

// The row stored under key, if it is count whole numbers that a counter can hold.
function storedRow(key, count) {
  try {
    const row = JSON.parse(localStorage.getItem(key));
    if (Array.isArray(row) && row.length === count &&
        row.every((value) => Number.isInteger(value) && value >= 0 && value <= COUNTER_LIMIT)) {
      return row;
    }
  } catch (error) {
    // Storage refused or unreadable: nothing stored.
  }
  return null;
}

const addRows = (row, other) => row.map((value, i) => Math.min(value + other[i], COUNTER_LIMIT));

function pageKeys() {
  try {
    return Object.keys(localStorage).filter((key) => key.startsWith(STATISTICS_KEY + '.'));
  } catch (error) {
    return [];
  }
}

let startRow = null;  // the statistics this page started from; its own games are what it adds to them

// The rows of pages that have closed are added to the closed pages' row, so
// that rows do not pile up. A page holds the lock named by its key while it
// lives, and the closed pages' row is rewritten under a lock of its own.
function foldClosedPages(count) {
  if (!navigator.locks) return;
  navigator.locks.request(PAGE_KEY, () => new Promise(() => {}));
  navigator.locks.request(STATISTICS_KEY, async () => {
    for (const key of pageKeys()) {
      await navigator.locks.request(key, { ifAvailable: true }, (lock) => {
        if (!lock) return;
        const row = storedRow(key, count);
        try {
          if (row) localStorage.setItem(STATISTICS_KEY, JSON.stringify(addRows(storedRow(STATISTICS_KEY, count) ?? row.map(() => 0), row)));
          localStorage.removeItem(key);
        } catch (error) {
          // Storage refused: the row stays where it is, and is still counted.
        }
      });
    }
  });
}

const orvantaPage = {
  setPicture(image) {
    pictureImage = image;
    picture.width = image.width;
    picture.height = image.height;
    fitToScreen();
    window.addEventListener('resize', fitToScreen);
  },
  frame() {
    if (!Module._web_frame()) return;
    picture.getContext('2d').putImageData(pictureImage, 0, 0);
    context.drawImage(picture, 0, 0, canvas.width, canvas.height);
  },
  showStatus(part, text) {
    statusParts[part].textContent = text;
    if (part === 0) speak(text);
  },
  showCheckMarks() {
    for (const item of optionItems) {
      item.setAttribute('aria-checked', String(Module._web_is_checked(Number(item.dataset.command)) !== 0));
    }
  },
  // The cursor's mark, laid over the canvas in field pixels; the label says where it is at once.
  showCursor(x, y, left, top, size) {
    cursorMark.style.cssText = [['left', left], ['top', top], ['width', size], ['height', size]]
      .map(([name, value]) => `${name}: calc(${value} * var(--pixel))`).join('; ');
    cursorCell = `column ${x + 1}, row ${y + 1}`;
    labelField();
  },
  describeField(hidden, flagged, opened, outcome) {
    fieldCounts = `${hidden} hidden, ${flagged} flagged, ${opened} opened${OUTCOMES[outcome]}`;
    relabelField();
  },
  messageBox(caption, text, information) {
    if (box.open) box.close();
    document.getElementById('box-caption').textContent = caption;
    document.getElementById('box-text').textContent = text;
    box.setAttribute('aria-label', caption || document.title);
    box.classList.toggle('information', information);
    closeMenu();
    box.showModal();
  },
  // The stored statistics added up, if any are stored; they become what this page starts from.
  loadStatistics(count) {
    const rows = [STATISTICS_KEY, ...pageKeys()].map((key) => storedRow(key, count)).filter(Boolean);
    startRow = rows.reduce(addRows, Array(count).fill(0));
    foldClosedPages(count);
    return rows.length ? startRow : null;
  },
  // Stores the games this page has added.
  saveStatistics(values) {
    const own = values.map((value, i) => value - startRow[i]);
    if (own.every((value) => value === 0)) return;
    try {
      localStorage.setItem(PAGE_KEY, JSON.stringify(own));
    } catch (error) {
      // Storage refused (full, or turned off): the statistics live as long as the page.
    }
  },
  offerDownload(name, bytes) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
    link.download = name;
    link.click();
  },
};

// ---- The menu: built from the program's table; by mouse as on the desktop, by Alt and the
// mnemonics, and by the keys of a menu bar that screen readers know (F10, the arrows, Escape) ----

const MENU_POPUP = 0;
const MENU_CHECK = 2;
const MENU_SEPARATOR = 3;
const MENU_RADIO = 4;

// A label's text with its mnemonic, the letter after '&', underlined.
function labelled(element, label) {
  const at = label.indexOf('&');
  const key = document.createElement('u');
  key.textContent = label[at + 1];
  element.append(label.slice(0, at), key, label.slice(at + 2));
  return element;
}

function buildMenus() {
  let items = null;
  for (const row of JSON.parse(Module.ccall('web_menu', 'string'))) {
    if (row.kind === MENU_POPUP) {
      const menu = document.createElement('div');
      menu.className = 'menu';
      const title = labelled(document.createElement('button'), row.label);
      title.className = 'title';
      title.setAttribute('role', 'menuitem');
      title.setAttribute('aria-haspopup', 'menu');
      title.setAttribute('aria-expanded', 'false');
      items = document.createElement('div');
      items.className = 'items';
      items.setAttribute('role', 'menu');
      menu.append(title, items);
      menuBar.append(menu);
      menus.push(menu);
    } else if (row.kind === MENU_SEPARATOR) {
      items.append(document.createElement('hr'));
    } else {
      const item = labelled(document.createElement('button'), row.label);
      const role = { [MENU_CHECK]: 'menuitemcheckbox', [MENU_RADIO]: 'menuitemradio' }[row.kind];
      item.setAttribute('role', role || 'menuitem');
      item.dataset.command = row.id;
      if (role) optionItems.push(item);
      items.append(item);
    }
  }
}

function mnemonic(element) {
  return element.querySelector('u').textContent.toLowerCase();
}

function menuItems(menu) {
  return Array.from(menu.querySelectorAll('.items button'));
}

const titleOf = (menu) => menu.querySelector('.title');

// The bar is one stop of the Tab key: the title last focused is it.
function makeBarStop(menu) {
  for (const other of menus) titleOf(other).tabIndex = other === menu ? 0 : -1;
}

function focusTitle(menu) {
  makeBarStop(menu);
  titleOf(menu).focus();
}

// returnFocus: the focus goes back to the menu's title, as Escape asks.
function closeMenu(returnFocus = false) {
  if (!openMenu) return;
  const menu = openMenu;
  // A hidden item keeping the focus would take the next Enter.
  if (menu.contains(document.activeElement)) document.activeElement.blur();
  menu.classList.remove('open');
  titleOf(menu).setAttribute('aria-expanded', 'false');
  openMenu = null;
  if (returnFocus) focusTitle(menu);
}

// focusItem: the index of the item to focus (-1 the last), or null for none, as a mouse opens it.
function showMenu(menu, focusItem) {
  closeMenu();
  openMenu = menu;
  menu.classList.add('open');
  titleOf(menu).setAttribute('aria-expanded', 'true');
  if (focusItem !== null) menuItems(menu).at(focusItem).focus();
}

// Chosen by the keyboard, the command leaves the focus on the field, as a
// box it opens gives it back there.
function runCommand(item) {
  const byKeyboard = openMenu?.contains(document.activeElement);
  closeMenu();
  if (byKeyboard) canvas.focus();
  Module._web_command(Number(item.dataset.command));
}

function moveFocus(step) {
  const items = menuItems(openMenu);
  const at = items.indexOf(document.activeElement);
  items[(at + step + items.length) % items.length].focus();
}

const nextMenu = (menu, step) => menus[(menus.indexOf(menu) + step + menus.length) % menus.length];

// Enter and Space reach the focused item as a click.
function onMenuKey(event) {
  const key = event.key.toLowerCase();
  if (key === 'enter' || key === ' ') return;
  if (key === 'escape') {
    closeMenu(true);
  } else if (key === 'tab') {
    closeMenu();
    return;
  } else if (key === 'arrowdown' || key === 'arrowup') {
    moveFocus(key === 'arrowdown' ? 1 : -1);
  } else if (key === 'arrowleft' || key === 'arrowright') {
    showMenu(nextMenu(openMenu, key === 'arrowright' ? 1 : -1), 0);
  } else {
    const item = menuItems(openMenu).find((candidate) => mnemonic(candidate) === key);
    if (!item) return;
    runCommand(item);
  }
  event.preventDefault();
}

// A focused title with its menu closed: Enter, Space and the down arrow open
// it at its first item, the up arrow at its last; left and right go along the bar.
function onTitleKey(event) {
  const menu = menus.find((candidate) => titleOf(candidate) === document.activeElement);
  if (!menu) return;
  if (event.key === 'Enter' || event.key === ' ' || event.key === 'ArrowDown') showMenu(menu, 0);
  else if (event.key === 'ArrowUp') showMenu(menu, -1);
  else if (event.key === 'ArrowLeft' || event.key === 'ArrowRight') focusTitle(nextMenu(menu, event.key === 'ArrowRight' ? 1 : -1));
  else if (event.key === 'Escape') canvas.focus();
  else return;
  event.preventDefault();
}

// F10, or Alt pressed and let go alone, takes the focus to the bar, or back to the field.
let altAlone = false;
function toggleBarFocus(event) {
  event.preventDefault();
  if (openMenu) closeMenu();
  if (menuBar.contains(document.activeElement)) canvas.focus();
  else focusTitle(menus.find((menu) => titleOf(menu).tabIndex === 0));
}

function onKey(event) {
  altAlone = event.key === 'Alt' && !event.repeat;
  if (box.open || event.ctrlKey || event.metaKey) return;
  if (event.key === 'F10' && !event.altKey && !event.shiftKey) {
    toggleBarFocus(event);
  } else if (event.altKey) {
    const menu = menus.find((candidate) => mnemonic(titleOf(candidate)) === event.key.toLowerCase());
    if (!menu) return;
    showMenu(menu, 0);
    event.preventDefault();
  } else if (openMenu) {
    onMenuKey(event);
  } else {
    onTitleKey(event);
  }
}

function wireMenus() {
  makeBarStop(menus[0]);
  for (const menu of menus) {
    const title = titleOf(menu);
    menu.querySelector('.items').setAttribute('aria-label', title.textContent);
    title.addEventListener('mousedown', (event) => {
      event.preventDefault();
      if (openMenu === menu) closeMenu();
      else showMenu(menu, null);
    });
    title.addEventListener('mouseenter', () => {
      if (openMenu && openMenu !== menu) showMenu(menu, null);
    });
    for (const item of menuItems(menu)) {
      item.tabIndex = -1;
      item.addEventListener('click', () => runCommand(item));
    }
  }
  // A press outside an open menu only closes it, as on the desktop.
  document.addEventListener('mousedown', (event) => {
    if (!openMenu || openMenu.contains(event.target)) return;
    closeMenu();
    if (!event.target.closest('.title')) event.stopPropagation();
  }, true);
  document.addEventListener('keydown', onKey);
  document.addEventListener('keyup', (event) => {
    if (event.key === 'Alt' && altAlone && !box.open) toggleBarFocus(event);
  });
}

// ---- Start ----

// A parameter of the address as the program may read it. One with a NUL or
// longer than any good value becomes an empty, and so bad, value, since the
// program would read a different text from it.
function addressValue(address, name) {
  if (!address.has(name)) return null;
  const value = address.get(name);
  return value.length <= ADDRESS_VALUE_LIMIT && !value.includes('\0') ? value : '';
}

// A press or a tap on the field, in field pixels; the cursor then stands on
// the cell pressed. A press while a menu is open only closes the menu.
function pressField(event) {
  if (event.button !== 0 || openMenu) return;
  const bounds = canvas.getBoundingClientRect();
  Module._web_press(Math.floor((event.clientX - bounds.left) * picture.width / bounds.width),
                    Math.floor((event.clientY - bounds.top) * picture.height / bounds.height));
  Module._web_place_cursor();
}

// The arrow keys move the cursor; Enter and Space choose its cell as a press would.
function onFieldKey(event) {
  if (openMenu || event.altKey || event.ctrlKey || event.metaKey) return;
  const step = CURSOR_STEPS[event.key];
  if (step) {
    Module._web_move_cursor(...step);
  } else if (event.key === 'Enter' || event.key === ' ') {
    Module._web_choose_cursor();
    Module._web_place_cursor();
  } else {
    return;
  }
  event.preventDefault();
}

function start() {
  buildMenus();
  if (!Module._web_start()) return;
  if (Array.isArray(window.orvantaTrace)) Module._web_trace(1);
  wireMenus();
  canvas.addEventListener('pointerdown', pressField);
  canvas.addEventListener('keydown', onFieldKey);
  document.getElementById('statistics').addEventListener('click', (event) => {
    event.preventDefault();
    Module._web_download_statistics();
  });
  setInterval(Module._web_save_statistics, 1000);
  window.addEventListener('pagehide', Module._web_save_statistics);
  const address = new URLSearchParams(location.search);
  const names = ['seed', 'first', 'guess', 'rule', 'chances'];
  Module.ccall('web_read_address', null, names.map(() => 'string'), names.map((name) => addressValue(address, name)));
  Module._web_place_cursor();
}

var Module = { postRun: [start] };
