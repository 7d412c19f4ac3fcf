// The program's calls to its page (web_page.h); the page itself is shell.html.
mergeInto(LibraryManager.library, {
  zephyx_page_open: function(caption, width, height) {
    return Module.page.open(UTF8ToString(caption), width, height) ? 1 : 0;
  },
  zephyx_page_message_box: function(text, caption) {
    Module.page.showMessage(UTF8ToString(text), UTF8ToString(caption));
  },
  zephyx_page_message_box_open: function() {
    return Module.page.messageOpen() ? 1 : 0;
  },
  zephyx_page_show_cursor: function(shown) {
    Module.page.showCursor(shown !== 0);
  },
  zephyx_page_ended: function(exitCode) {
    Module.page.ended(exitCode);
  },
});
