// The wait behind web_wait.cpp: one suspended program at most, woken by the first event queued
// or by its own timer when it has one.
mergeInto(LibraryManager.library, {
  $ZephyxWait__deps: ['$callUserCallback'],
  $ZephyxWait: {
    wakeUp: null,
    timer: null,
    keyFrameDue: null,  // where a key moves zephyx_wait_for_time_or_key_frame's wait to
    // Resumes the program. Never from inside the program's own code (an event handler it is
    // running), hence the microtask, which runs once that code has returned.
    resume: function() {
      var wakeUp = ZephyxWait.wakeUp;
      ZephyxWait.wakeUp = null;
      ZephyxWait.keyFrameDue = null;
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

  // Animation frames: the browser calls these right before it renders the page, with the
  // time the frame began. Frames that begin before `due` go by.
  $ZephyxFrameWait__deps: ['$callUserCallback'],
  $ZephyxFrameWait: {
    wakeUp: null,
    due: 0,
    frame: function(time) {
      if (time < ZephyxFrameWait.due) {
        requestAnimationFrame(ZephyxFrameWait.frame);
        return;
      }
      var wakeUp = ZephyxFrameWait.wakeUp;
      ZephyxFrameWait.wakeUp = null;
      callUserCallback(wakeUp);
    },
  },

  zephyx_wait_for_frame__deps: ['$ZephyxFrameWait'],
  zephyx_wait_for_frame: function(due) {
    Asyncify.handleSleep(function(wakeUp) {
      ZephyxFrameWait.wakeUp = wakeUp;
      ZephyxFrameWait.due = due;
      requestAnimationFrame(ZephyxFrameWait.frame);
    });
  },

  zephyx_wait_wake__deps: ['$ZephyxWait'],
  zephyx_wait_wake: function() {
    if (ZephyxWait.keyFrameDue === null) {  // only a key ends that wait before its time
      ZephyxWait.resume();
    }
  },

  // A timer, unless a key comes first: the key most likely changes the picture, so the wait
  // goes on as zephyx_wait_for_frame's, to draw it right before the page is rendered.
  zephyx_wait_for_time_or_key_frame__deps: ['$ZephyxWait'],
  zephyx_wait_for_time_or_key_frame: function(milliseconds, due) {
    Asyncify.handleSleep(function(wakeUp) {
      ZephyxWait.wakeUp = wakeUp;
      ZephyxWait.keyFrameDue = due;
      ZephyxWait.timer = setTimeout(ZephyxWait.resume, milliseconds);
    });
  },

  zephyx_wait_key__deps: ['$ZephyxWait', '$ZephyxFrameWait'],
  zephyx_wait_key: function() {
    var due = ZephyxWait.keyFrameDue;
    if (due === null || ZephyxWait.wakeUp === null) {
      ZephyxWait.resume();
      return;
    }
    clearTimeout(ZephyxWait.timer);
    ZephyxWait.timer = null;
    ZephyxWait.keyFrameDue = null;
    ZephyxFrameWait.wakeUp = ZephyxWait.wakeUp;
    ZephyxFrameWait.due = due;
    ZephyxWait.wakeUp = null;
    requestAnimationFrame(ZephyxFrameWait.frame);
  },
});
