// The wait behind web_wait.cpp: one suspended program at most, woken by the first event queued
// or by its own timer when it has one.
mergeInto(LibraryManager.library, {
  $ZephyxWait__deps: ['$callUserCallback'],
  $ZephyxWait: {
    wakeUp: null,
    timer: null,
    // Resumes the program. Never from inside the program's own code (an event handler it is
    // running), hence the microtask, which runs once that code has returned.
    resume: function() {
      var wakeUp = ZephyxWait.wakeUp;
      ZephyxWait.wakeUp = null;
      if (ZephyxWait.timer !== null) {
        clearTimeout(ZephyxWait.timer);
        ZephyxWait.timer = null;
      }
      if (wakeUp) {
        Promise.resolve().then(function() {
          callUserCallback(wakeUp);
        });
      }
    },
  },

  zephyx_wait_for_event__deps: ['$ZephyxWait'],
  zephyx_wait_for_event: function(milliseconds) {
    Asyncify.handleSleep(function(wakeUp) {
      ZephyxWait.wakeUp = wakeUp;
      if (milliseconds >= 0) {
        ZephyxWait.timer = setTimeout(ZephyxWait.resume, milliseconds);
      }
    });
  },

  zephyx_wait_wake__deps: ['$ZephyxWait'],
  zephyx_wait_wake: function() {
    ZephyxWait.resume();
  },
});
