// The page's side of the calls the program makes (ui/web/page.h), linked
// into orvanta.js. They hand over to the page's script, page.js, which owns
// the document.
mergeInto(LibraryManager.library, {
  page_show_status: function (part, text) {
    orvantaPage.showStatus(part, UTF8ToString(text));
  },
  page_show_check_marks: function () {
    orvantaPage.showCheckMarks();
  },
  page_message_box: function (caption, text, information) {
    orvantaPage.messageBox(caption ? UTF8ToString(caption) : '', UTF8ToString(text), information !== 0);
  },
  page_show_cursor: function (x, y, left, top, size) {
    orvantaPage.showCursor(x, y, left, top, size);
  },
  page_describe_field: function (hidden, flagged, opened, outcome) {
    orvantaPage.describeField(hidden, flagged, opened, outcome);
  },
  // A view of the program's memory, which never grows: it stays valid.
  page_set_picture: function (pixels, width, height) {
    orvantaPage.setPicture(new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4), width, height));
  },
  page_request_frame: function () {
    requestAnimationFrame(orvantaPage.frame);
  },
  page_start_solver: function () {
    setTimeout(function () { _web_solver_entry(); });
  },

  // A message to ourselves is the quickest way to let the browser take its
  // turn: timers that follow each other are held back to 4 ms at least.
  $pageTurn: { channel: null, resume: null },
  page_yield__deps: ['$Asyncify', '$pageTurn'],
  page_yield: function () {
    if (!pageTurn.channel) {
      pageTurn.channel = new MessageChannel();
      pageTurn.channel.port1.onmessage = function () { pageTurn.resume(); };
    }
    Asyncify.handleSleep(function (wakeUp) {
      pageTurn.resume = wakeUp;
      pageTurn.channel.port2.postMessage(null);
    });
  },

  page_load_statistics: function (values, count) {
    var saved = orvantaPage.loadStatistics(count);
    if (!saved) return 0;
    HEAP32.set(saved, values >> 2);
    return 1;
  },
  page_save_statistics: function (values, count) {
    orvantaPage.saveStatistics(Array.from(HEAP32.subarray(values >> 2, (values >> 2) + count)));
  },
  page_offer_download__deps: ['$FS'],
  page_offer_download: function (name) {
    name = UTF8ToString(name);
    var bytes;
    try {
      bytes = FS.readFile(name);
    } catch (error) {
      return;  // never written: Exit has said why
    }
    orvantaPage.offerDownload(name, bytes);
  },
  page_show_chances: function (chance, count, columns, chosen, reason) {
    orvantaChances.show(HEAPF32.subarray(chance >> 2, (chance >> 2) + count), columns, chosen, UTF8ToString(reason));
  },
  page_trace_cell: function (x, y, value) {
    orvantaTrace.push(x + '\t' + y + '\t' + value);
  },
  page_trace_text: function (text) {
    orvantaTrace.push('#\t' + UTF8ToString(text));
  },
});
