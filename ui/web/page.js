// Orvanta's page: the menu, the message boxes, the field's canvas at the
// display's scale, the status bar, the statistics in the browser's storage
// and the download. The program (orvanta.js) calls in through orvantaPage.
'use strict';

const STATISTICS_KEY = 'orvanta.statistics';
const ADDRESS_VALUE_LIMIT = 64;

const canvas = document.getElementById('field');
const statusParts = [document.getElementById('part0'), document.getElementById('part1')];
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

// Called again when the display's scale changes (a zoom, another screen).
function fitToDisplay() {
  const ratio = window.devicePixelRatio || 1;
  if (ratio === fittedRatio) return;
  fittedRatio = ratio;
  const scale = Math.max(1, Math.round(ratio));
  canvas.width = picture.width * scale;
  canvas.height = picture.height * scale;
  document.documentElement.style.setProperty('--pixel', scale / ratio + 'px');
  context = canvas.getContext('2d');
  context.imageSmoothingEnabled = false;
  context.drawImage(picture, 0, 0, canvas.width, canvas.height);
  matchMedia('(resolution: ' + ratio + 'dppx)').addEventListener('change', fitToDisplay, { once: true });
}

const orvantaPage = {
  setPicture(image) {
    pictureImage = image;
    picture.width = image.width;
    picture.height = image.height;
    fitToDisplay();
    window.addEventListener('resize', fitToDisplay);
  },
  frame() {
    if (!Module._web_frame()) return;
    picture.getContext('2d').putImageData(pictureImage, 0, 0);
    context.drawImage(picture, 0, 0, canvas.width, canvas.height);
  },
  showStatus(part, text) {
    statusParts[part].textContent = text;
  },
  showCheckMarks() {
    for (const item of optionItems) {
      item.setAttribute('aria-checked', String(Module._web_is_checked(Number(item.dataset.command)) !== 0));
    }
  },
  messageBox(caption, text, information) {
    if (box.open) box.close();
    document.getElementById('box-caption').textContent = caption;
    document.getElementById('box-text').textContent = text;
    box.classList.toggle('information', information);
    closeMenu();
    box.showModal();
  },
  // The saved row, if it is one of count whole numbers that a counter can hold.
  loadStatistics(count) {
    try {
      const saved = JSON.parse(localStorage.getItem(STATISTICS_KEY));
      if (Array.isArray(saved) && saved.length === count &&
          saved.every((value) => Number.isInteger(value) && value >= 0 && value <= 0x7fffffff)) {
        return saved;
      }
    } catch (error) {
      // Storage refused or unreadable: start from zero.
    }
    return null;
  },
  saveStatistics(values) {
    try {
      localStorage.setItem(STATISTICS_KEY, JSON.stringify(values));
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

// ---- The menu: built from the program's table; by mouse as on the desktop, and by Alt and the mnemonics ----

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

function closeMenu() {
  if (!openMenu) return;
  // A hidden item keeping the focus would take the next Enter.
  if (openMenu.contains(document.activeElement)) document.activeElement.blur();
  openMenu.classList.remove('open');
  openMenu.querySelector('.title').setAttribute('aria-expanded', 'false');
  openMenu = null;
}

function showMenu(menu, focusFirstItem) {
  closeMenu();
  openMenu = menu;
  menu.classList.add('open');
  menu.querySelector('.title').setAttribute('aria-expanded', 'true');
  if (focusFirstItem) menuItems(menu)[0].focus();
}

function runCommand(item) {
  closeMenu();
  Module._web_command(Number(item.dataset.command));
}

function moveFocus(step) {
  const items = menuItems(openMenu);
  const at = items.indexOf(document.activeElement);
  items[(at + step + items.length) % items.length].focus();
}

// Enter and Space reach the focused item as a click.
function onMenuKey(event) {
  const key = event.key.toLowerCase();
  const menuAt = menus.indexOf(openMenu);
  if (key === 'enter' || key === ' ') return;
  if (key === 'escape') {
    closeMenu();
  } else if (key === 'arrowdown' || key === 'arrowup') {
    moveFocus(key === 'arrowdown' ? 1 : -1);
  } else if (key === 'arrowleft' || key === 'arrowright') {
    showMenu(menus[(menuAt + (key === 'arrowright' ? 1 : -1) + menus.length) % menus.length], true);
  } else {
    const item = menuItems(openMenu).find((candidate) => mnemonic(candidate) === key);
    if (!item) return;
    runCommand(item);
  }
  event.preventDefault();
}

function onKey(event) {
  if (box.open || event.ctrlKey || event.metaKey) return;
  if (event.altKey) {
    const menu = menus.find((candidate) => mnemonic(candidate.querySelector('.title')) === event.key.toLowerCase());
    if (!menu) return;
    showMenu(menu, true);
    event.preventDefault();
  } else if (openMenu) {
    onMenuKey(event);
  }
}

function wireMenus() {
  for (const menu of menus) {
    const title = menu.querySelector('.title');
    title.addEventListener('mousedown', (event) => {
      event.preventDefault();
      if (openMenu === menu) closeMenu();
      else showMenu(menu, false);
    });
    title.addEventListener('mouseenter', () => {
      if (openMenu && openMenu !== menu) showMenu(menu, false);
    });
    for (const item of menuItems(menu)) item.addEventListener('click', () => runCommand(item));
  }
  // A press outside an open menu only closes it, as on the desktop.
  document.addEventListener('mousedown', (event) => {
    if (!openMenu || openMenu.contains(event.target)) return;
    closeMenu();
    if (!event.target.closest('.title')) event.stopPropagation();
  }, true);
  document.addEventListener('keydown', onKey);
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

function start() {
  buildMenus();
  if (!Module._web_start()) return;
  if (Array.isArray(window.orvantaTrace)) Module._web_trace(1);
  wireMenus();
  canvas.addEventListener('mousedown', (event) => {
    if (event.button !== 0) return;
    const bounds = canvas.getBoundingClientRect();
    Module._web_press(Math.floor((event.clientX - bounds.left) * picture.width / bounds.width),
                      Math.floor((event.clientY - bounds.top) * picture.height / bounds.height));
  });
  setInterval(Module._web_save_statistics, 1000);
  window.addEventListener('pagehide', Module._web_save_statistics);
  const address = new URLSearchParams(location.search);
  const names = ['seed', 'first', 'guess', 'rule', 'chances'];
  Module.ccall('web_read_address', null, names.map(() => 'string'), names.map((name) => addressValue(address, name)));
}

var Module = { postRun: [start] };
