// Show Chances on the page: a canvas of its own over the field's (which stays
// as it is), each hidden tile tinted from blue (0%) to orange (100%) as
// ui/common/chance_tint.h says, the guessed tile outlined, the percentages
// where a field pixel has two device pixels or more; the long reason on a
// line under the window.
'use strict';

const TILE = 16;
const MARGIN = 1;
const SAFE_TINT = [0x00, 0x72, 0xB2];
const MINE_TINT = [0xE6, 0x9F, 0x00];
const TINT_ALPHA = 0x80 / 255;

const orvantaChances = {
  overlay: null,
  reason: null,

  // Made at the first use, the same size as the field's canvas and over it.
  layer() {
    const field = document.getElementById('field');
    if (!this.overlay) {
      this.overlay = document.createElement('canvas');
      this.overlay.id = 'chances';
      field.after(this.overlay);
      this.reason = document.createElement('div');
      this.reason.id = 'reason';
      document.querySelector('.window').after(this.reason);
    }
    const overlay = this.overlay;
    if (overlay.width !== field.width || overlay.height !== field.height) {
      overlay.width = field.width;
      overlay.height = field.height;
    }
    const shape = getComputedStyle(field);
    Object.assign(overlay.style, { left: field.offsetLeft + 'px', top: field.offsetTop + 'px',
                                   width: shape.width, height: shape.height });
    return overlay;
  },

  show(chances, columns, chosen, reason) {
    const overlay = this.layer();
    this.reason.textContent = reason;
    const context = overlay.getContext('2d');
    context.clearRect(0, 0, overlay.width, overlay.height);
    if (chances.length === 0) return;
    // Device pixels a field pixel: the field's picture is columns tiles and a margin wide.
    const scale = overlay.width / (columns * TILE + MARGIN);
    const size = TILE * scale;
    context.font = 7 * scale + 'px sans-serif';
    context.textAlign = 'center';
    context.textBaseline = 'middle';
    chances.forEach((chance, i) => {
      if (chance < 0) return;
      const left = ((i % columns) * TILE + MARGIN) * scale;
      const top = (Math.floor(i / columns) * TILE + MARGIN) * scale;
      const tint = SAFE_TINT.map((safe, at) => Math.floor(safe + (MINE_TINT[at] - safe) * chance + 0.5));
      context.fillStyle = `rgba(${tint.join(',')},${TINT_ALPHA})`;
      context.fillRect(left, top, size, size);
      if (scale >= 2) {
        context.fillStyle = '#000';
        context.fillText(String(Math.round(100 * chance)), left + size / 2, top + size / 2);
      }
    });
    context.strokeStyle = '#000';
    context.lineWidth = 2 * scale;
    context.strokeRect(((chosen % columns) * TILE + MARGIN + 1) * scale,
                       (Math.floor(chosen / columns) * TILE + MARGIN + 1) * scale, size - 2 * scale, size - 2 * scale);
  },
};
